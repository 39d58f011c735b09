#include "platform/Task.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "platform/RunLoop.h"

using namespace std::chrono_literals;
using platform::CancellationToken;
using platform::DispatchQueue;
using platform::Promise;
using platform::Task;

TEST(Task, GetReturnsValuesAndRethrowsFailures) {
    auto ok = Task<int>::run(DispatchQueue::global(), [] { return 42; });
    EXPECT_EQ(ok.get(), 42);
    EXPECT_TRUE(ok.isReady());

    auto bad = Task<std::string>::run(DispatchQueue::global(), []() -> std::string {
        throw std::runtime_error("boom");
    });
    EXPECT_THROW(bad.get(), std::runtime_error);

    int sideEffect = 0;
    auto v = Task<void>::run(DispatchQueue::global(), [&] { sideEffect = 7; });
    v.get();
    EXPECT_EQ(sideEffect, 7);
    EXPECT_EQ(Task<int>::ready(5).get(), 5);
}

TEST(Task, ChildrenRunConcurrentlyAndCancellationReachesTheWork) {
    // Each child waits until the other has started: only concurrent children both see it.
    std::atomic<int> started{0};
    auto meetTheOther = [&](const CancellationToken&) {
        ++started;
        for (int i = 0; i < 5000 && started < 2; ++i) std::this_thread::sleep_for(1ms);
        return started.load() == 2;
    };
    auto a = Task<bool>::run(DispatchQueue::global(), meetTheOther);
    auto b = Task<bool>::run(DispatchQueue::global(), meetTheOther);
    EXPECT_TRUE(a.get());
    EXPECT_TRUE(b.get());

    auto untilCancelled = [](const CancellationToken& token) {
        for (int i = 0; i < 5000 && !token.isCancelled(); ++i) std::this_thread::sleep_for(1ms);
        return token.isCancelled();
    };
    auto c = Task<bool>::run(DispatchQueue::global(), untilCancelled);
    c.cancel();
    EXPECT_TRUE(c.get());
    EXPECT_TRUE(c.isCancelled());
}

TEST(Task, WaitingOnChildrenNeverStarvesThePool) {
    // More nested waits than pool threads: a waiter runs an unstarted child itself.
    std::vector<Task<int>> parents;
    for (int i = 0; i < 16; ++i) {
        parents.push_back(Task<int>::run(DispatchQueue::global(), [i] {
            auto child = Task<int>::run(DispatchQueue::global(), [i] {
                std::this_thread::sleep_for(2ms);
                return i;
            });
            return child.get() * 2;
        }));
    }
    int sum = 0;
    for (auto& p : parents) sum += p.get();
    EXPECT_EQ(sum, 2 * (15 * 16 / 2));
}

TEST(Task, ThenContinuesOnTheGivenQueueAndPassesFailuresOn) {
    auto& loop = platform::RunLoop::main();
    bool onMain = false;
    auto chained = Task<int>::run(DispatchQueue::global(), [] { return 20; })
                       .then(DispatchQueue::main(), [&](int v) {
                           onMain = DispatchQueue::main().isCurrent();
                           return std::to_string(v + 1);
                       });
    ASSERT_TRUE(loop.runUntil([&] { return chained.isReady(); }, 5s));
    EXPECT_EQ(chained.get(), "21");
    EXPECT_TRUE(onMain);

    bool ran = false;
    auto failed = Task<int>::run(DispatchQueue::global(), []() -> int { throw std::logic_error("x"); })
                      .then(DispatchQueue::global(), [&](int) { ran = true; });
    EXPECT_THROW(failed.get(), std::logic_error);
    EXPECT_FALSE(ran);
}

TEST(Task, PromiseFinishesOnceFromACallback) {
    Promise<int> promise;
    auto task = promise.task();
    std::thread producer([promise] {
        std::this_thread::sleep_for(5ms);
        promise.resolve(1);
        promise.resolve(2);  // ignored: a task finishes once
    });
    EXPECT_EQ(task.get(), 1);
    producer.join();
    EXPECT_EQ(task.get(), 1);
}
