#pragma once

// How the serial port's reader thread gets its events onto the thread that
// owns the port (the GUI thread).
//
// The reader posts one task per event and then waits until that task has run
// or until Close gives the event up; so the executor itself only has to queue.
// The Qt one (link/GuiThreadExecutor.h) queues onto the GUI thread's event loop;
// QueueExecutor below is a Qt-free queue that the owning thread drains, and
// InlineExecutor runs each task at once on the reader thread.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace navoro {

class EventExecutor {
  public:
    virtual ~EventExecutor() = default;
    // Queues `task` to run on the owning thread. Called from the reader thread.
    virtual void Post(std::function<void()> task) = 0;
};

// Runs every task at once on the posting thread.
class InlineExecutor : public EventExecutor {
  public:
    void Post(std::function<void()> task) override { task(); }
};

// A task queue drained by the thread that owns the port.
class QueueExecutor : public EventExecutor {
  public:
    void Post(std::function<void()> task) override {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        ready_.notify_all();
    }

    // Runs the tasks that are queued now; returns how many ran.
    int RunPending() {
        std::deque<std::function<void()>> batch;
        {
            std::lock_guard lock(mutex_);
            batch.swap(tasks_);
        }
        for (auto& task : batch)
            task();
        return static_cast<int>(batch.size());
    }

    // Runs tasks as they come until `done()` holds or `timeout` has passed;
    // returns done().
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            {
                std::unique_lock lock(mutex_);
                if (!ready_.wait_until(lock, deadline, [&] { return !tasks_.empty(); })) {
                    return done();
                }
            }
            RunPending();
        }
        return true;
    }

    std::size_t Queued() const {
        std::lock_guard lock(mutex_);
        return tasks_.size();
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace navoro
