#include "QVTVConsent/core/QVAuthKey.h"

#include <gtest/gtest.h>

using qvtv::QVAuthKey;

TEST(QVAuthKey, FromDictionaryNeedsATextApplicationIdAndDefaultsTheSecondaryToEmptyText) {
    auto onlyPrimary = QVAuthKey::fromDictionary({{"applicationId", "demo-tv-app"}});
    ASSERT_TRUE(onlyPrimary);
    EXPECT_EQ(onlyPrimary->applicationId(), "demo-tv-app");
    EXPECT_EQ(onlyPrimary->secondaryApplicationId(), std::optional<std::string>(""));
    EXPECT_TRUE(onlyPrimary->integrationConfigs().empty());

    auto both = QVAuthKey::fromDictionary({{"applicationId", "a"}, {"secondaryApplicationId", "b"}});
    ASSERT_TRUE(both);
    EXPECT_EQ(both->secondaryApplicationId(), std::optional<std::string>("b"));
    auto numericSecondary = QVAuthKey::fromDictionary({{"applicationId", "a"}, {"secondaryApplicationId", 5}});
    EXPECT_EQ(numericSecondary->secondaryApplicationId(), std::optional<std::string>(""));

    EXPECT_FALSE(QVAuthKey::fromDictionary(nlohmann::json::object()));
    EXPECT_FALSE(QVAuthKey::fromDictionary({{"applicationId", 42}}));
    EXPECT_FALSE(QVAuthKey::fromDictionary({{"secondaryApplicationId", "b"}}));
    EXPECT_FALSE(QVAuthKey::fromDictionary(nlohmann::json::array({"applicationId", "a"})));
    EXPECT_FALSE(QVAuthKey(std::string("a")).secondaryApplicationId().has_value());
}
