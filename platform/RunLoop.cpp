#include "platform/RunLoop.h"

#include <algorithm>
#include <optional>

#include "platform/NoDestructor.h"

namespace platform {

RunLoop::RunLoop(std::shared_ptr<Clock> clock) : clock_(std::move(clock)) {}

RunLoop& RunLoop::main() {
    static NoDestructor<RunLoop> loop;
    return *loop;
}

void RunLoop::setClock(std::shared_ptr<Clock> clock) {
    std::lock_guard lock(mutex_);
    clock_ = std::move(clock);
}

std::shared_ptr<Clock> RunLoop::clock() const {
    std::lock_guard lock(mutex_);
    return clock_;
}

void RunLoop::post(Job job) {
    {
        std::lock_guard lock(mutex_);
        ready_.push_back(std::move(job));
    }
    wake_.notify_all();
}

void RunLoop::postAfter(Clock::Duration delay, Job job) {
    {
        std::lock_guard lock(mutex_);
        timers_.push_back({clock_->now() + std::max(delay, Clock::Duration::zero()), nextSequence_++,
                           std::move(job)});
        std::push_heap(timers_.begin(), timers_.end(), TimerLater{});
    }
    wake_.notify_all();
}

void RunLoop::moveDueTimersLocked(Clock::Instant now) {
    while (!timers_.empty() && timers_.front().due <= now) {
        std::pop_heap(timers_.begin(), timers_.end(), TimerLater{});
        ready_.push_back(std::move(timers_.back().job));
        timers_.pop_back();
    }
}

std::size_t RunLoop::drainReady() {
    owner_.store(std::this_thread::get_id());
    std::deque<Job> batch;
    {
        std::lock_guard lock(mutex_);
        moveDueTimersLocked(clock_->now());
        batch.swap(ready_);
    }
    for (auto& job : batch) job();
    return batch.size();
}

std::size_t RunLoop::runPending() { return drainReady(); }

void RunLoop::run() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = false;
    }
    for (;;) {
        drainReady();
        std::unique_lock lock(mutex_);
        if (stopRequested_) return;
        if (!ready_.empty()) continue;
        if (timers_.empty() || clock_->isVirtual()) {
            wake_.wait(lock);
        } else {
            // Timers are on the steady clock when the clock is real, so this wait is exact.
            wake_.wait_until(lock, timers_.front().due);
        }
    }
}

void RunLoop::stop() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
}

bool RunLoop::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        drainReady();
        if (done()) return true;
        std::unique_lock lock(mutex_);
        if (!ready_.empty()) continue;
        auto wakeAt = deadline;
        if (!timers_.empty() && !clock_->isVirtual()) wakeAt = std::min(wakeAt, timers_.front().due);
        if (std::chrono::steady_clock::now() >= deadline) return done();
        wake_.wait_until(lock, wakeAt);
    }
}

void RunLoop::advance(Clock::Duration by) {
    auto virtualClock = std::dynamic_pointer_cast<VirtualClock>(clock());
    if (!virtualClock) {
        drainReady();
        return;
    }
    Clock::Instant target = virtualClock->now() + by;
    for (;;) {
        drainReady();
        std::optional<Clock::Instant> nextDue;
        {
            std::lock_guard lock(mutex_);
            if (!ready_.empty()) continue;
            if (!timers_.empty() && timers_.front().due <= target) nextDue = timers_.front().due;
        }
        if (!nextDue) break;
        // Step to the next timer so each one sees the time it was due at.
        virtualClock->advance(std::max(Clock::Duration::zero(), *nextDue - virtualClock->now()));
    }
    virtualClock->advance(target - virtualClock->now());
    drainReady();
}

bool RunLoop::isCurrentThread() const { return owner_.load() == std::this_thread::get_id(); }

std::size_t RunLoop::pendingCount() const {
    std::lock_guard lock(mutex_);
    return ready_.size() + timers_.size();
}

} // namespace platform
