#include "QVTVConsent/core/BoolUtils.h"

#include <gtest/gtest.h>

using nlohmann::json;
using qvtv::BoolUtils;

TEST(BoolUtils, GetBoolReadsBooleansAndYesNoWordsInAnyCaseAndFallsBackForEverythingElse) {
    for (json v : {json(true), json("true"), json("TRUE"), json("True"), json("yes"), json("Yes"), json("YES")}) {
        EXPECT_TRUE(BoolUtils::getBool(&v, false)) << v.dump();
    }
    for (json v : {json(false), json("false"), json("FaLsE"), json("no"), json("NO")}) {
        EXPECT_FALSE(BoolUtils::getBool(&v, true)) << v.dump();
    }
    for (json v : {json("1"), json(" true"), json("true "), json(""), json(1), json(0), json(nullptr),
                   json::object(), json::array()}) {
        EXPECT_TRUE(BoolUtils::getBool(&v, true)) << v.dump();
        EXPECT_FALSE(BoolUtils::getBool(&v, false)) << v.dump();
    }
    EXPECT_FALSE(BoolUtils::getBool(nullptr));
}

TEST(BoolUtils, GetOptionalBoolKnowsOnlyTrueAndFalse) {
    struct Case {
        json value;
        std::optional<bool> fallback;
        std::optional<bool> expected;
    };
    for (const auto& c : {Case{"Yes", std::nullopt, std::nullopt}, Case{"no", true, true}, Case{"TRUE", std::nullopt, true},
                          Case{"false", true, false}, Case{false, true, false}}) {
        EXPECT_EQ(BoolUtils::getOptionalBool(&c.value, c.fallback), c.expected) << c.value.dump();
    }
    EXPECT_EQ(BoolUtils::getOptionalBool(nullptr, false), false);
}
