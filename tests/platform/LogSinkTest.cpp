#include "platform/LogSink.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "support/LogCapture.h"

TEST(LogSink, DeliversWholeLinesFromManyThreads) {
    testsupport::LogCapture capture;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 100; ++i) {
                platform::LogSink::write("thread " + std::to_string(t) + " line " + std::to_string(i));
            }
        });
    }
    for (auto& th : threads) th.join();
    auto lines = capture.lines();
    ASSERT_EQ(lines.size(), 400u);
    EXPECT_TRUE(capture.contains("thread 3 line 99"));
}
