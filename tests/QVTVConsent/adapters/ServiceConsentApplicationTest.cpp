// The whole path over the local consent service: a real initialisation run builds the adapters and
// applies the stored consent, then a choice saved through the repository reaches the SDK fakes and
// the analytics adapter records what it applied.
#include <gtest/gtest.h>

#include "AdapterTestFixture.h"
#include "QVTVConsent/ServiceHarness.h"
#include "QVTVConsent/adapters/ConsentAdapterHelper.h"
#include "QVTVConsent/adapters/ConsentAdapterSetup.h"
#include "QVTVConsent/data/KeychainHelper.h"
#include "QVTVConsent/engine/QVConsentEngineFactory.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/model/QVCategory.h"
#include "QVTVConsent/model/QVConsentBannerData.h"

using namespace adaptertest;
using qvtv::QVGCMConsentSignal;
using qvtv::QVGCMConsentSignalStatus;
using qvtv::QVGCMSignalMap;

namespace {

const std::string primaryId = "demo-tv-app";

// The stored applied data as a region and a signal map; none when nothing is stored.
std::optional<std::pair<std::string, QVGCMSignalMap>> storedAppliedData() {
    const auto text = qvtv::KeychainHelper::shared()->get("applied_gcm_data");
    if (!text) return std::nullopt;
    const auto applied = qvtv::QVAppliedGCMData::fromJson(nlohmann::json::parse(*text));
    if (!applied) return std::nullopt;
    QVGCMSignalMap signals;
    for (const auto& config : applied->consentData) {
        if (config.signal && config.status) signals[*config.signal] = *config.status;
    }
    return std::pair{applied->region, signals};
}

QVGCMSignalMap allSignals(QVGCMConsentSignalStatus ads, QVGCMConsentSignalStatus analytics) {
    return {{QVGCMConsentSignal::adStorage, ads},
            {QVGCMConsentSignal::adUserData, ads},
            {QVGCMConsentSignal::adPersonalization, ads},
            {QVGCMConsentSignal::analyticsStorage, analytics}};
}

} // namespace

class ServiceConsentApplication : public AdapterTest {
protected:
    std::shared_ptr<qvtv::ConsentRepository> initialise() {
        const auto result = qvtv::QVConsentEngineFactory::initialise(qvtv::QVAuthKey(primaryId)).get();
        EXPECT_EQ(result.code(), 200) << result.description();
        return qvtv::DataFactory::repository();
    }

    testsupport::ServiceHarness harness;
};

TEST_F(ServiceConsentApplication, StartUpAppliesTheRegionSettingsAndStoresThem) {
    auto repository = initialise();
    // Consent mode is on in the template: the analytics adapter comes first. The document's region
    // (DE) has every signal denied and nothing was collected yet, so everything stays off.
    const std::string allDenied =
        "FIRAnalytics setConsent:({ad_personalization: denied, ad_storage: denied, ad_user_data: denied, "
        "analytics_storage: denied})";
    EXPECT_EQ(calls(), concat({{"FIRAnalytics setAnalyticsCollectionEnabled:(false)"}, singularOptIn(false),
                               singularOptIn(false), tenjinOptIn(false), airbridgeOptIn(false), {allDenied},
                               {"FIRAnalytics setAnalyticsCollectionEnabled:(false)"}, singularOptIn(false),
                               tenjinOptIn(false), airbridgeOptIn(false)}));
    const auto stored = storedAppliedData();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->first, "DE");
    EXPECT_EQ(stored->second, allSignals(QVGCMConsentSignalStatus::denied, QVGCMConsentSignalStatus::denied));
    const auto applied = repository->getAppliedGCMData();
    EXPECT_EQ(applied.code(), 200);
    ASSERT_TRUE(applied.data());
    EXPECT_EQ(applied.data()->region, "DE");
    EXPECT_TRUE(log_.contains("[INFO] FirebaseAnalyticsConsentAdapter: Applied GCM config data saved successfully: " +
                              qvtv::QVMessage(200, "").description()));
    EXPECT_TRUE(log_.contains("[INFO] FirebaseAnalyticsConsentAdapter: Consent applied successfully to firebase, "
                              "updating analytics collection to false."));

    // Clearing the session denies everything; with the key gone nothing new is stored.
    clearCalls();
    qvtv::QVConsentEngineFactory::clearSession(false);
    EXPECT_EQ(calls(), concat({{allDenied, "FIRAnalytics setAnalyticsCollectionEnabled:(false)"},
                               singularOptIn(false), {"Singular endSession"}, tenjinOptIn(false),
                               airbridgeOptIn(false), {"Airbridge.Airbridge clearUser"}}));
    EXPECT_FALSE(storedAppliedData());
}

TEST_F(ServiceConsentApplication, ASavedCustomChoiceReachesTheSdksAndIsRememberedForTheNextStart) {
    auto repository = initialise();
    const auto banner = repository->getBannerData(primaryId);
    ASSERT_TRUE(banner.data());
    const auto& categories = (*banner.data())->categories;
    for (const auto& category : categories) {
        for (const auto& package : category->packages) {
            package->setEnabled(package->packageId() == "FirebaseAnalytics" || package->packageId() == "TenjinSDK");
        }
    }
    const auto saved = repository->saveConsent(primaryId, categories, false).get();
    ASSERT_EQ(saved.code(), 200) << saved.description();
    EXPECT_EQ(harness.service().submissions().size(), 1u);

    clearCalls();
    qvtv::ConsentAdapterHelper::applyConsent(qvtv::QVConsentStatus::collected, categories);
    // Singular and Airbridge were refused, so the advertising signals are denied although Tenjin
    // itself runs; analytics is granted and collection follows the package's switch.
    EXPECT_EQ(calls(), concat({{"FIRAnalytics setConsent:({ad_personalization: denied, ad_storage: denied, "
                                "ad_user_data: denied, analytics_storage: granted})",
                                "FIRAnalytics setAnalyticsCollectionEnabled:(true)"},
                               singularOptIn(false), tenjinOptIn(true), airbridgeOptIn(false)}));
    const auto stored = storedAppliedData();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->first, "DE");
    EXPECT_EQ(stored->second, allSignals(QVGCMConsentSignalStatus::denied, QVGCMConsentSignalStatus::granted));

    // The next start reads the applied data and the stored records instead of the template's
    // region settings.
    clearCalls();
    qvtv::ConsentAdapterSetup::applyConsent(qvtv::ConsentAdapterSetup::readStoredConsent(*repository, primaryId));
    EXPECT_EQ(calls(), concat({{"FIRAnalytics setConsent:({ad_personalization: denied, ad_storage: denied, "
                                "ad_user_data: denied, analytics_storage: granted})",
                                "FIRAnalytics setAnalyticsCollectionEnabled:(true)"},
                               singularOptIn(false), tenjinOptIn(true), airbridgeOptIn(false)}));
}
