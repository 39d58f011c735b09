#include "platform/RunLoop.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <future>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/DispatchQueue.h"
#include "platform/Task.h"

using namespace std::chrono_literals;
using platform::RunLoop;
using platform::VirtualClock;

TEST(RunLoop, VirtualTimeFiresTimersInDueOrderAtTheirInstant) {
    auto clock = std::make_shared<VirtualClock>(1000);
    RunLoop loop(clock);
    std::string order;
    std::vector<std::int64_t> firedAt;
    loop.postAfter(300ms, [&] { order += "c"; firedAt.push_back(clock->wallMillis()); });
    loop.postAfter(100ms, [&] {
        order += "a";
        firedAt.push_back(clock->wallMillis());
        // A timer scheduled by a timer fires in the same advance when it falls due in range.
        loop.postAfter(50ms, [&] { order += "b"; firedAt.push_back(clock->wallMillis()); });
    });
    loop.postAfter(300ms, [&] { order += "d"; });  // same instant: posting order

    loop.advance(99ms);
    EXPECT_EQ(order, "");
    loop.advance(400ms);
    EXPECT_EQ(order, "abcd");
    EXPECT_EQ(firedAt, (std::vector<std::int64_t>{1100, 1150, 1300}));
    EXPECT_EQ(clock->wallMillis(), 1499);
    EXPECT_EQ(loop.pendingCount(), 0u);
}

TEST(RunLoop, RunUntilWaitsForJobsPostedFromOtherThreads) {
    RunLoop loop(std::make_shared<VirtualClock>());
    bool arrived = false;
    std::thread worker([&] {
        std::this_thread::sleep_for(20ms);
        loop.post([&] { arrived = true; });
    });
    EXPECT_TRUE(loop.runUntil([&] { return arrived; }, 5s));
    worker.join();
    EXPECT_TRUE(loop.isCurrentThread());
    EXPECT_FALSE(loop.runUntil([] { return false; }, 10ms));
}

TEST(RunLoop, RunSleepsUntilRealTimersAndStops) {
    RunLoop loop;
    int ticks = 0;
    loop.postAfter(5ms, [&] { ++ticks; });
    loop.postAfter(10ms, [&] {
        ++ticks;
        loop.stop();
    });
    loop.run();
    EXPECT_EQ(ticks, 2);
}

TEST(DispatchQueue, GlobalRunsConcurrentlyAndMainRunsOnTheLoopThread) {
    auto& main = RunLoop::main();
    std::atomic<int> inside{0};
    std::atomic<int> maxInside{0};
    std::atomic<int> finished{0};
    for (int i = 0; i < 3; ++i) {
        platform::DispatchQueue::global().async([&] {
            int now = ++inside;
            int seen = maxInside.load();
            while (now > seen && !maxInside.compare_exchange_weak(seen, now)) {}
            std::this_thread::sleep_for(30ms);
            --inside;
            platform::DispatchQueue::main().async([&] {
                EXPECT_TRUE(platform::DispatchQueue::main().isCurrent());
                ++finished;
            });
        });
    }
    EXPECT_TRUE(main.runUntil([&] { return finished == 3; }, 5s));
    EXPECT_GE(maxInside.load(), 2);
    EXPECT_FALSE(platform::DispatchQueue::global().isCurrent());
}

TEST(DispatchQueue, BackgroundRunsInOrderOnOneThreadBelowTheCallersPriority) {
    const int callerNice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
    std::mutex mutex;
    std::vector<int> order;
    std::set<std::thread::id> threads;
    int backgroundNice = callerNice;
    std::atomic<int> finished{0};
    for (int i = 0; i < 5; ++i) {
        platform::DispatchQueue::background().async([&, i] {
            std::lock_guard lock(mutex);
            order.push_back(i);
            threads.insert(std::this_thread::get_id());
            backgroundNice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
            ++finished;
        });
    }
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (finished < 5 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    std::lock_guard lock(mutex);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(threads.size(), 1u);
    // Capped at 19: a caller already that nice cannot go lower.
    EXPECT_EQ(backgroundNice, std::min(callerNice + 10, 19));
}

TEST(DispatchQueue, AWaiterRunsABackgroundTaskTheBusyThreadHasNotStarted) {
    // Also what a forked child needs: the pool's thread does not exist there.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    platform::DispatchQueue::background().async([released] { released.wait(); });
    auto task = platform::Task<std::thread::id>::run(platform::DispatchQueue::background(),
                                                     [] { return std::this_thread::get_id(); });
    EXPECT_EQ(task.get(), std::this_thread::get_id());
    release.set_value();
}
