#include "QVTVConsent/model/ArrayUtils.h"

#include <gtest/gtest.h>

using qvtv::ArrayUtils;

TEST(ArrayUtils, ContainsIgnoreCaseMatchesWholeElements) {
    EXPECT_TRUE(ArrayUtils::containsIgnoreCase({"DE", "US"}, "us"));
    EXPECT_TRUE(ArrayUtils::containsIgnoreCase({"All"}, "all"));
    EXPECT_FALSE(ArrayUtils::containsIgnoreCase({"USA"}, "us"));
    EXPECT_FALSE(ArrayUtils::containsIgnoreCase({" us"}, "us"));
    EXPECT_FALSE(ArrayUtils::containsIgnoreCase({}, ""));
}
