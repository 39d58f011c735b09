#pragma once
// A fixed set of worker threads running jobs in due order; DispatchQueue::global() is one.
// Work that may block for long and must not hold up everything else (downloads of optional
// images, say) gets a small pool of its own.
//
//   static platform::ThreadPool downloads(2);
//   downloads.async([] { fetchLogo(); });

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/DispatchQueue.h"

namespace platform {

class ThreadPool final : public DispatchQueue {
public:
    // Whether a thread waiting on one of the pool's tasks may run it itself (see DispatchQueue).
    enum class Waiters { onlyWait, mayRunJobs };

    // `niceness` above 0 lowers the workers' CPU priority by that much (as `nice` does), for
    // work that should take only cores nothing else wants.
    explicit ThreadPool(unsigned threads, Waiters waiters = Waiters::onlyWait, int niceness = 0);
    ~ThreadPool() override;

    void async(Job job) override;
    void asyncAfter(Clock::Duration delay, Job job) override;
    bool isCurrent() const override;
    bool waitersMayRunJobs() const override { return waiters_ == Waiters::mayRunJobs; }
    // How many jobs can run at once.
    unsigned threadCount() const { return static_cast<unsigned>(workers_.size()); }

private:
    struct Item {
        std::chrono::steady_clock::time_point due;
        std::uint64_t sequence;
        Job job;
    };
    struct ItemLater {
        bool operator()(const Item& a, const Item& b) const {
            return a.due != b.due ? a.due > b.due : a.sequence > b.sequence;
        }
    };

    void enqueue(std::chrono::steady_clock::time_point due, Job job);
    void workerLoop(int niceness);

    const Waiters waiters_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Item> items_;  // a heap ordered by ItemLater
    std::uint64_t nextSequence_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

} // namespace platform
