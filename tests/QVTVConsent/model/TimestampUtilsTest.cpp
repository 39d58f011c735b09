#include "QVTVConsent/model/TimestampUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

using qvtv::TimestampUtils;

TEST(TimestampUtils, StringAndIntConversionsKeepEmptinessAndRange) {
    EXPECT_EQ(TimestampUtils::string(std::nullopt), std::nullopt);
    EXPECT_EQ(TimestampUtils::string(-1700000000000), "-1700000000000");
    EXPECT_EQ(TimestampUtils::int64ToInt(std::nullopt), std::nullopt);
    EXPECT_EQ(TimestampUtils::int64ToInt(1700000000000), static_cast<std::intptr_t>(1700000000000));
}

TEST(TimestampUtils, ReadableDateTimeUsesLocalZone) {
    EXPECT_EQ(TimestampUtils::readableDateTime(std::nullopt), std::nullopt);
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(TimestampUtils::readableDateTime(0), "01 Jan 1970 00:00:00");
    EXPECT_EQ(TimestampUtils::readableDateTime(-1), "31 Dec 1969 23:59:59");
    setenv("TZ", "JST-9", 1);
    tzset();
    EXPECT_EQ(TimestampUtils::readableDateTime(1700000000123), "15 Nov 2023 07:13:20");
}
