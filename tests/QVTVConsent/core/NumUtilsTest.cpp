#include "QVTVConsent/core/NumUtils.h"

#include <gtest/gtest.h>

using nlohmann::json;
using qvtv::NumUtils;

TEST(NumUtils, ParseInt64ReadsStrictDecimalText) {
    EXPECT_EQ(NumUtils::parseInt64("+12"), 12);
    EXPECT_EQ(NumUtils::parseInt64("-0"), 0);
    EXPECT_EQ(NumUtils::parseInt64("-42"), -42);
    EXPECT_EQ(NumUtils::parseInt64("007"), 7);
    EXPECT_EQ(NumUtils::parseInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(NumUtils::parseInt64("-9223372036854775808"), INT64_MIN);
    for (const char* bad : {"", "+", "-", " 12", "12 ", "12.0", "1e3", "0x10", "+-1", "--1", "++1", "12a",
                            "9223372036854775808", "-9223372036854775809", "12345678901234567890"}) {
        EXPECT_EQ(NumUtils::parseInt64(bad), std::nullopt) << bad;
    }
}

TEST(NumUtils, GetIntTellsNumbersFromTextFromOtherKinds) {
    const std::vector<std::pair<json, std::int64_t>> cases{
        {12, 12}, {-3, -3}, {"+12", 12}, {" 12", 7}, {"12345678901234567890", 7}, {12345678901234567890ull, 7},
        {12.0, 12}, {12.5, 7}, {true, 7}, {nullptr, 7}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(NumUtils::getInt(&value, 7), expected) << value.dump();
    EXPECT_EQ(NumUtils::getInt(nullptr, 7), 7);
}

TEST(NumUtils, GetInt64KeepsAnEmptyDefaultEmpty) {
    json months = "13";
    json bad = "thirteen";
    json huge = 1e300;
    EXPECT_EQ(NumUtils::getInt64(&months), 13);
    EXPECT_EQ(NumUtils::getInt64(&bad), std::nullopt);
    EXPECT_EQ(NumUtils::getInt64(&bad, 6), 6);
    EXPECT_EQ(NumUtils::getInt64(&huge), std::nullopt);
    EXPECT_EQ(NumUtils::getInt64(nullptr), std::nullopt);
}
