#include "QVTVConsent/model/GoogleConsentData.h"

#include <gtest/gtest.h>

#include "QVTVConsent/model/QVAppliedGCMData.h"
#include "QVTVConsent/model/QVConsentModeConfigData.h"
#include "QVTVConsent/model/QVPackageIdentifier.h"

using nlohmann::json;
using namespace qvtv;

TEST(GoogleConsentData, SignalConfigsMatchExactlyAndWriteTwoForms) {
    auto full = QVConsentSignalConfig::fromJson({{"signal", " ad_user_data "}, {"status", "denied"}});
    ASSERT_TRUE(full.ok());
    EXPECT_EQ(full->signal, QVGCMConsentSignal::adUserData);
    EXPECT_EQ(full->status, QVGCMConsentSignalStatus::denied);

    auto unknown = QVConsentSignalConfig::fromJson({{"signal", "AD_STORAGE"}, {"status", "Granted"}});
    ASSERT_TRUE(unknown.ok());
    EXPECT_EQ(unknown->signal, std::nullopt);
    EXPECT_EQ(unknown->status, std::nullopt);
    EXPECT_EQ(unknown->toJson(), json::object());
    EXPECT_EQ(unknown->toAppliedJson(), (json{{"signal", nullptr}, {"status", nullptr}}));
    EXPECT_FALSE(QVConsentSignalConfig::fromJson(json("ad_storage")).ok());
}

TEST(GoogleConsentData, RegionsKeepTextAndBlankOtherValues) {
    auto data = GoogleConsentData::fromJson(
        {{"configs", {{{"signal", "ad_storage"}, {"status", "granted"}}}}, {"regions", {" DE", 5, nullptr, "All"}}});
    ASSERT_TRUE(data.ok());
    EXPECT_EQ(data->regions, (std::vector<std::string>{" DE", "", "", "All"}));
    EXPECT_EQ(data->toJson(), (json{{"configs", {{{"signal", "ad_storage"}, {"status", "granted"}}}},
                                    {"regions", {" DE", "", "", "All"}}}));

    auto swallowed = GoogleConsentData::fromJson({{"configs", {{{"signal", "ad_storage"}}, 3}}, {"regions", "DE"}});
    ASSERT_TRUE(swallowed.ok());
    EXPECT_TRUE(swallowed->configs.empty());
    EXPECT_TRUE(swallowed->regions.empty());
}

TEST(GoogleConsentData, ModeConfigPassesAnElementErrorOn) {
    json good = {{"configs", json::array()}, {"regions", {"all"}}};
    auto config = QVConsentModeConfigData::fromJson({{"gcm", {good, good}}});
    ASSERT_TRUE(config.ok());
    EXPECT_EQ(config->gcm.size(), 2u);
    EXPECT_EQ(QVConsentModeConfigData::fromJson(config->toJson()).value(), *config);

    auto failed = QVConsentModeConfigData::fromJson({{"gcm", {good, "oops"}}});
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error().domain, "Invalid JSON (oops)");

    auto missing = QVConsentModeConfigData::fromJson({{"gcm", nullptr}});
    ASSERT_TRUE(missing.ok());
    EXPECT_TRUE(missing->gcm.empty());
    EXPECT_FALSE(QVConsentModeConfigData::fromJson(json::array()).ok());
}

TEST(GoogleConsentData, AppliedDataWritesNullsAndSwallowsBadSignals) {
    auto applied = QVAppliedGCMData::fromJson(
        {{"region", " FR "}, {"consent_data", {{{"signal", "analytics_storage"}, {"status", "maybe"}}}}});
    ASSERT_TRUE(applied.ok());
    EXPECT_EQ(applied->region, "FR");
    EXPECT_EQ(applied->toJson(),
              (json{{"region", "FR"}, {"consent_data", {{{"signal", "analytics_storage"}, {"status", nullptr}}}}}));
    EXPECT_EQ(QVAppliedGCMData::fromJson(applied->toJson()).value(), *applied);

    auto swallowed = QVAppliedGCMData::fromJson({{"consent_data", {json::object(), json::array()}}});
    ASSERT_TRUE(swallowed.ok());
    EXPECT_TRUE(swallowed->consentData.empty());

    QVPackageIdentifier id{"FIRAnalytics", "FirebaseAnalytics"};
    EXPECT_EQ(id.description(), R"({"className":"FIRAnalytics","packageId":"FirebaseAnalytics"})");
}
