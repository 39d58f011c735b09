#include "platform/ThreadPool.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

namespace platform {
namespace {
thread_local const ThreadPool* currentPool = nullptr;
}

ThreadPool::ThreadPool(unsigned threads, Waiters waiters, int niceness) : waiters_(waiters) {
    for (unsigned i = 0; i < threads; ++i) workers_.emplace_back([this, niceness] { workerLoop(niceness); });
}

ThreadPool::~ThreadPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& w : workers_) w.join();
}

void ThreadPool::async(Job job) { enqueue(std::chrono::steady_clock::now(), std::move(job)); }

void ThreadPool::asyncAfter(Clock::Duration delay, Job job) {
    enqueue(std::chrono::steady_clock::now() + std::max(delay, Clock::Duration::zero()), std::move(job));
}

bool ThreadPool::isCurrent() const { return currentPool == this; }

void ThreadPool::enqueue(std::chrono::steady_clock::time_point due, Job job) {
    {
        std::lock_guard lock(mutex_);
        items_.push_back({due, nextSequence_++, std::move(job)});
        std::push_heap(items_.begin(), items_.end(), ItemLater{});
    }
    wake_.notify_one();
}

void ThreadPool::workerLoop(int niceness) {
    currentPool = this;
    // Linux keeps a niceness per thread. Where it cannot be changed the work still runs, only
    // at the usual priority.
    if (niceness > 0) {
        const auto self = static_cast<id_t>(::gettid());
        (void)::setpriority(PRIO_PROCESS, self, ::getpriority(PRIO_PROCESS, self) + niceness);
    }
    std::unique_lock lock(mutex_);
    for (;;) {
        if (stopping_) return;
        if (items_.empty()) {
            wake_.wait(lock);
            continue;
        }
        auto due = items_.front().due;
        if (due > std::chrono::steady_clock::now()) {
            wake_.wait_until(lock, due);
            continue;
        }
        std::pop_heap(items_.begin(), items_.end(), ItemLater{});
        Job job = std::move(items_.back().job);
        items_.pop_back();
        lock.unlock();
        job();
        lock.lock();
    }
}

} // namespace platform
