#include "QVTVConsent/core/StringUtils.h"

#include <gtest/gtest.h>

using nlohmann::json;
using qvtv::StringUtils;

TEST(StringUtils, GetStringTakesOnlyTextAndTrimsEverything) {
    json text = " \n abc\t\r\n";
    json number = 5;
    json null = nullptr;
    json boolean = true;
    EXPECT_EQ(StringUtils::getString(&text), "abc");
    EXPECT_EQ(StringUtils::getString(&number, "dflt"), "dflt");
    EXPECT_EQ(StringUtils::getString(&null, "dflt"), "dflt");
    EXPECT_EQ(StringUtils::getString(&boolean, "dflt"), "dflt");
    EXPECT_EQ(StringUtils::getString(nullptr), "");
    EXPECT_EQ(StringUtils::getString(nullptr, "  padded default "), "padded default");
}

TEST(StringUtils, GetOptionalStringDescribesNonTextOnlyWithoutDefault) {
    json text = " x ";
    json number = 42;
    json fraction = 1.5;
    json null = nullptr;
    EXPECT_EQ(StringUtils::getOptionalString(nullptr), std::nullopt);
    EXPECT_EQ(StringUtils::getOptionalString(nullptr, "d"), std::nullopt);
    EXPECT_EQ(StringUtils::getOptionalString(&text), "x");
    EXPECT_EQ(StringUtils::getOptionalString(&number), "42");
    EXPECT_EQ(StringUtils::getOptionalString(&fraction), "1.5");
    EXPECT_EQ(StringUtils::getOptionalString(&null), "null");
    EXPECT_EQ(StringUtils::getOptionalString(&number, " d "), "d");
}

TEST(StringUtils, TrimRemovesUnicodeSeparatorsButKeepsInnerTextAndBadBytes) {
    EXPECT_EQ(StringUtils::trim("\u00A0\u2003caf\u00E9\u3000\u2028"), "caf\u00E9");
    EXPECT_EQ(StringUtils::trim("a b"), "a b");
    EXPECT_EQ(StringUtils::trim("   "), "");
    EXPECT_EQ(StringUtils::trim(""), "");
    // Malformed UTF-8 at either end is content, not space, and must not be read past.
    EXPECT_EQ(StringUtils::trim(" \xE2\x80"), "\xE2\x80");
    EXPECT_EQ(StringUtils::trim("\x80 x"), "\x80 x");
}

TEST(StringUtils, CaseHelpersTouchOnlyAsciiLetters) {
    EXPECT_TRUE(StringUtils::equalsIgnoreCase("Site_Analytics", "site_analytics"));
    EXPECT_FALSE(StringUtils::equalsIgnoreCase("abc", "abcd"));
    EXPECT_EQ(StringUtils::toUpper("#00ff7f\u00e9"), "#00FF7F\u00e9");
    EXPECT_EQ(StringUtils::toLower("YeS"), "yes");
}
