#include "platform/CancellationToken.h"

#include <gtest/gtest.h>

TEST(CancellationToken, AChildStopsAloneButFollowsItsParent) {
    platform::CancellationToken parent;
    auto first = parent.child();
    auto second = parent.child();
    auto grandchild = first.child();
    auto copyOfFirst = first;

    first.cancel();
    EXPECT_TRUE(copyOfFirst.isCancelled());
    EXPECT_TRUE(grandchild.isCancelled());
    EXPECT_FALSE(parent.isCancelled());
    EXPECT_FALSE(second.isCancelled());

    parent.cancel();
    EXPECT_TRUE(second.isCancelled());
}
