#include "QVTVConsent/core/StringUtils.h"

#include <gtest/gtest.h>

using nlohmann::json;
using qvtv::StringUtils;

TEST(StringUtils, GetStringTakesOnlyTextAndTrimsEverything) {
    for (json v : {json(5), json(nullptr), json(true)}) EXPECT_EQ(StringUtils::getString(&v, "dflt"), "dflt") << v.dump();
    json text = " \n abc\t\r\n";
    EXPECT_EQ(StringUtils::getString(&text), "abc");
    EXPECT_EQ(StringUtils::getString(nullptr), "");
    EXPECT_EQ(StringUtils::getString(nullptr, "  padded default "), "padded default");
}

TEST(StringUtils, GetOptionalStringDescribesNonTextOnlyWithoutDefault) {
    for (const auto& [value, expected] : std::vector<std::pair<json, std::string>>{
             {" x ", "x"}, {42, "42"}, {1.5, "1.5"}, {nullptr, "null"}}) {
        EXPECT_EQ(StringUtils::getOptionalString(&value), expected) << value.dump();
    }
    json number = 42;
    EXPECT_EQ(StringUtils::getOptionalString(&number, " d "), "d");
    EXPECT_EQ(StringUtils::getOptionalString(nullptr), std::nullopt);
    EXPECT_EQ(StringUtils::getOptionalString(nullptr, "d"), std::nullopt);
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
