#include "QVTVConsent/model/TimestampUtils.h"

#include <gtest/gtest.h>

#include "platform/Locale.h"
#include "support/ScopedTimeZone.h"

using qvtv::TimestampUtils;

// Formatting itself is DateFormatter's; this checks the current locale is the one used.
TEST(TimestampUtils, ReadableDateTimeUsesTheCurrentLocale) {
    EXPECT_EQ(TimestampUtils::readableDateTime(std::nullopt), std::nullopt);
    platform::Locale::setCurrent(platform::Locale::parse("en_US"));
    testsupport::ScopedTimeZone zone("UTC");
    EXPECT_EQ(TimestampUtils::readableDateTime(0), "Jan 1, 1970 at 12:00:00 AM");
    platform::Locale::setCurrent(std::nullopt);
}
