#pragma once
// A run loop: a queue of jobs and timers drained by the thread that runs it. The main run loop
// belongs to the UI thread; DispatchQueue::main() posts to it. Its Clock is real in apps and
// virtual in tests, where `advance` moves time and fires the timers that fall due, in order.
//
//   auto& loop = platform::RunLoop::main();
//   loop.postAfter(std::chrono::seconds(2), [] { hideToast(); });
//   loop.run();                       // in an app, until stop()
//   loop.advance(std::chrono::seconds(3));   // in a test with a VirtualClock

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Clock.h"

namespace platform {

class RunLoop {
public:
    using Job = std::function<void()>;

    explicit RunLoop(std::shared_ptr<Clock> clock = std::make_shared<SystemClock>());
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    // The process's main run loop; created on first use with the system clock.
    static RunLoop& main();

    // Replaces the clock (tests install a VirtualClock before scheduling anything).
    void setClock(std::shared_ptr<Clock> clock);
    std::shared_ptr<Clock> clock() const;

    // Thread-safe. Jobs run in the order posted; timers in due order, ties in posting order.
    void post(Job job);
    void postAfter(Clock::Duration delay, Job job);

    // Runs every job that is ready now (jobs posted meanwhile wait for the next call). Returns
    // how many ran. Does not block.
    std::size_t runPending();

    // Runs until stop(), sleeping while idle.
    void run();
    void stop();

    // Runs jobs until `done()` holds or `timeout` of real time has passed; returns done().
    // With a virtual clock, timers fire only through advance(); jobs posted from other threads
    // (for example a network answer hopping back to main) are waited for.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // Virtual clock only: moves time forward by `by`, firing timers as their instant passes and
    // running the jobs they post. With a real clock it just runs what is ready.
    void advance(Clock::Duration by);

    // Whether the calling thread is the one that runs this loop (the last to drain it).
    bool isCurrentThread() const;

    // Jobs and timers still waiting.
    std::size_t pendingCount() const;

private:
    struct Timer {
        Clock::Instant due;
        std::uint64_t sequence;
        Job job;
    };
    struct TimerLater {
        bool operator()(const Timer& a, const Timer& b) const {
            return a.due != b.due ? a.due > b.due : a.sequence > b.sequence;
        }
    };

    void moveDueTimersLocked(Clock::Instant now);
    std::size_t drainReady();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::shared_ptr<Clock> clock_;
    std::deque<Job> ready_;
    std::vector<Timer> timers_;  // a heap ordered by TimerLater
    std::uint64_t nextSequence_ = 0;
    bool stopRequested_ = false;
    std::atomic<std::thread::id> owner_{};
};

} // namespace platform
