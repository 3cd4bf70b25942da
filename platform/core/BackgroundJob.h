// A piece of work done on a thread of its own while the program goes on: Start runs
// it, Finish waits for it. A job still running at exit is waited for, so its thread
// never outlives what it uses.
#pragma once
#include <functional>
#include <system_error>
#include <thread>
#include <utility>

class BackgroundJob {
public:
    BackgroundJob() = default;
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;
    ~BackgroundJob() { Finish(); }

    // False, and the work not done, while an earlier job runs or when the system
    // gives no thread.
    bool Start(std::function<void()> work) {
        if (m_thread.joinable())
            return false;
        try {
            m_thread = std::thread(std::move(work));
        } catch (const std::system_error&) {
            return false;
        }
        return true;
    }
    void Finish() {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};
