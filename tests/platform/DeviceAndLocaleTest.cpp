#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "platform/DateFormatter.h"
#include "platform/DeviceInfo.h"
#include "platform/Locale.h"
#include "platform/Uuid.h"
#include "support/ScopedTimeZone.h"

using platform::Locale;

TEST(Uuid, CanonicalUpperCaseVersion4AndUnique) {
    std::regex canonical("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        auto id = platform::Uuid::make();
        ASSERT_TRUE(std::regex_match(id, canonical)) << id;
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(Locale, ParsesPosixNames) {
    auto de = Locale::parse("de_AT.UTF-8@euro");
    EXPECT_EQ(de.languageCode, "de");
    EXPECT_EQ(de.regionCode, "AT");
    EXPECT_EQ(de.identifier, "de_AT");
    auto fr = Locale::parse("FR-ca");
    EXPECT_EQ(fr.languageCode, "fr");
    EXPECT_EQ(fr.regionCode, "CA");
    EXPECT_EQ(Locale::parse("C.UTF-8").languageCode, "en");
    EXPECT_FALSE(Locale::parse("C.UTF-8").regionCode.has_value());
    EXPECT_FALSE(Locale::parse("it").regionCode.has_value());

}

TEST(DateFormatter, MediumDateTimeInLocaleAndTimeZone) {
    testsupport::ScopedTimeZone zone("UTC");
    EXPECT_EQ(platform::DateFormatter::mediumDateTime(0, Locale::parse("en_US")), "Jan 1, 1970 at 12:00:00 AM");
    EXPECT_EQ(platform::DateFormatter::mediumDateTime(0, Locale::parse("en_GB")), "1 Jan 1970, 00:00:00");
    EXPECT_EQ(platform::DateFormatter::mediumDateTime(-1, Locale::parse("de_DE")), "1969-12-31 23:59:59");
    zone.set("JST-9");  // a POSIX rule: no time-zone database needed
    EXPECT_EQ(platform::DateFormatter::mediumDateTime(1'767'225'600'000, Locale::parse("en_US")),
              "Jan 1, 2026 at 9:00:00 AM");
}

TEST(DeviceInfo, OsDefaultsAreNeverEmpty) {
    EXPECT_FALSE(platform::DeviceInfo::model().empty());
    EXPECT_FALSE(platform::DeviceInfo::systemVersion().empty());
}
