// A piece of work done on a thread of its own while the program goes on: Start runs
// it, Finish waits for it. A job still running at exit is waited for, so its thread
// never outlives what it uses.
#pragma once
#include <atomic>
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
        m_busy = true;
        try {
            m_thread = std::thread([this, work = std::move(work)] {
                work();
                m_busy = false;
            });
        } catch (const std::system_error&) {
            m_busy = false;
            return false;
        }
        return true;
    }
    void Finish() {
        if (m_thread.joinable())
            m_thread.join();
    }
    // Whether a job's work is still going on (Finish would wait).
    bool Busy() const { return m_busy; }

private:
    std::atomic<bool> m_busy{false};
    std::thread m_thread;
};
