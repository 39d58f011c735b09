#include "QVTVConsent/model/TimestampUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/Locale.h"

using qvtv::TimestampUtils;

// Formatting itself is DateFormatter's; this checks the current locale is the one used.
TEST(TimestampUtils, ReadableDateTimeUsesTheCurrentLocale) {
    EXPECT_EQ(TimestampUtils::readableDateTime(std::nullopt), std::nullopt);
    platform::Locale::setCurrent(platform::Locale::parse("en_US"));
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(TimestampUtils::readableDateTime(0), "Jan 1, 1970 at 12:00:00 AM");
    platform::Locale::setCurrent(std::nullopt);
}
