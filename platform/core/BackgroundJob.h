// A piece of start-up work done on a thread of its own while the program goes on:
// Start runs it, Finish waits for it. A job still running at exit is waited for, so
// its thread never outlives what it uses.
#pragma once
#include <functional>
#include <thread>
#include <utility>

class BackgroundJob {
public:
    BackgroundJob() = default;
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;
    ~BackgroundJob() { Finish(); }

    // Does nothing while an earlier job runs.
    void Start(std::function<void()> work) {
        if (!m_thread.joinable())
            m_thread = std::thread(std::move(work));
    }
    void Finish() {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};
