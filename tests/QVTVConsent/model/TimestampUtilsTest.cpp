#include "QVTVConsent/model/TimestampUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/Locale.h"

using qvtv::TimestampUtils;

TEST(TimestampUtils, StringAndIntConversionsKeepEmptinessAndRange) {
    EXPECT_EQ(TimestampUtils::string(std::nullopt), std::nullopt);
    EXPECT_EQ(TimestampUtils::string(-1700000000000), "-1700000000000");
    EXPECT_EQ(TimestampUtils::int64ToInt(std::nullopt), std::nullopt);
    EXPECT_EQ(TimestampUtils::int64ToInt(1700000000000), static_cast<std::intptr_t>(1700000000000));
}

TEST(TimestampUtils, ReadableDateTimeUsesLocaleAndLocalZone) {
    EXPECT_EQ(TimestampUtils::readableDateTime(std::nullopt), std::nullopt);
    platform::Locale::setCurrent(platform::Locale::parse("en_US"));
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(TimestampUtils::readableDateTime(0), "Jan 1, 1970 at 12:00:00 AM");
    EXPECT_EQ(TimestampUtils::readableDateTime(-1), "Dec 31, 1969 at 11:59:59 PM");
    setenv("TZ", "JST-9", 1);
    tzset();
    EXPECT_EQ(TimestampUtils::readableDateTime(1700000000123), "Nov 15, 2023 at 7:13:20 AM");
    platform::Locale::setCurrent(std::nullopt);
}
