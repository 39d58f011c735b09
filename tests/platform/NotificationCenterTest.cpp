#include "platform/NotificationCenter.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/RunLoop.h"

using platform::DispatchQueue;
using platform::Notification;
using platform::NotificationCenter;
using platform::RunLoop;

TEST(NotificationCenter, DeliversByNameInRegistrationOrderWithUserInfo) {
    NotificationCenter center;
    std::vector<std::string> seen;
    center.addObserver("a", nullptr, [&](const Notification& n) {
        seen.push_back("first:" + n.name + ":" + std::any_cast<std::string>(n.userInfo.at("data")));
    });
    center.addObserver("b", nullptr, [&](const Notification& n) { seen.push_back("other:" + n.name); });
    center.addObserver("", nullptr, [&](const Notification& n) { seen.push_back("any:" + n.name); });
    center.addObserver("a", nullptr, [&](const Notification& n) {
        // A value of another kind is visible as such, not converted.
        seen.push_back(std::any_cast<int>(&n.userInfo.at("data")) ? "int" : "not-int");
    });

    center.post("a", {{"data", std::string("x")}});
    center.post("c");
    EXPECT_EQ(seen, (std::vector<std::string>{"first:a:x", "any:a", "not-int", "any:c"}));
    EXPECT_EQ(center.observerCount(), 4u);
}

TEST(NotificationCenter, QueuedObserversRunOnTheirQueueAndRemovalStopsPendingDeliveries) {
    auto& loop = RunLoop::main();
    loop.runPending();
    NotificationCenter center;
    std::vector<std::thread::id> threads;
    auto kept = center.addObserver("n", &DispatchQueue::main(), [&](const Notification&) {
        threads.push_back(std::this_thread::get_id());
    });
    int removedCalls = 0;
    auto removed = center.addObserver("n", &DispatchQueue::main(), [&](const Notification&) { ++removedCalls; });

    std::thread poster([&] { center.post("n"); });
    poster.join();
    EXPECT_TRUE(threads.empty()) << "queued observers are not called on the posting thread";

    center.removeObserver(removed);
    center.removeObserver(removed);  // a second removal is harmless
    center.removeObserver(NotificationCenter::ObserverToken());
    loop.runUntil([&] { return !threads.empty(); });
    loop.runPending();
    ASSERT_EQ(threads.size(), 1u);
    EXPECT_EQ(threads[0], std::this_thread::get_id());
    EXPECT_EQ(removedCalls, 0);
    EXPECT_FALSE(kept == removed);
    EXPECT_EQ(center.observerCount(), 1u);
}

TEST(NotificationCenter, HandlersMayRemoveObserversWhileBeingDelivered) {
    NotificationCenter center;
    int calls = 0;
    NotificationCenter::ObserverToken self;
    self = center.addObserver("n", nullptr, [&](const Notification&) {
        ++calls;
        center.removeObserver(self);
    });
    center.post("n");
    center.post("n");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(center.observerCount(), 0u);
}
