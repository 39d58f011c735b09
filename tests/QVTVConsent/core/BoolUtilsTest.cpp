#include "QVTVConsent/core/BoolUtils.h"

#include <gtest/gtest.h>

using nlohmann::json;
using qvtv::BoolUtils;

TEST(BoolUtils, GetBoolReadsBooleansAndYesNoWordsInAnyCase) {
    for (const char* word : {"true", "TRUE", "True", "yes", "Yes", "YES"}) {
        json v = word;
        EXPECT_TRUE(BoolUtils::getBool(&v, false)) << word;
    }
    for (const char* word : {"false", "FaLsE", "no", "NO"}) {
        json v = word;
        EXPECT_FALSE(BoolUtils::getBool(&v, true)) << word;
    }
    json t = true;
    json f = false;
    EXPECT_TRUE(BoolUtils::getBool(&t, false));
    EXPECT_FALSE(BoolUtils::getBool(&f, true));
}

TEST(BoolUtils, GetBoolFallsBackForEverythingElse) {
    for (json v : {json("1"), json(" true"), json("true "), json(""), json(1), json(0), json(nullptr),
                   json::object(), json::array()}) {
        EXPECT_TRUE(BoolUtils::getBool(&v, true)) << v.dump();
        EXPECT_FALSE(BoolUtils::getBool(&v, false)) << v.dump();
    }
    EXPECT_FALSE(BoolUtils::getBool(nullptr));
}

TEST(BoolUtils, GetOptionalBoolKnowsOnlyTrueAndFalse) {
    json yes = "Yes";
    json no = "no";
    json upper = "TRUE";
    json lower = "false";
    json b = false;
    EXPECT_EQ(BoolUtils::getOptionalBool(&yes), std::nullopt);
    EXPECT_EQ(BoolUtils::getOptionalBool(&no, true), true);
    EXPECT_EQ(BoolUtils::getOptionalBool(&upper), true);
    EXPECT_EQ(BoolUtils::getOptionalBool(&lower, true), false);
    EXPECT_EQ(BoolUtils::getOptionalBool(&b, true), false);
    EXPECT_EQ(BoolUtils::getOptionalBool(nullptr, false), false);
}
