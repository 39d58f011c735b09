// Start-up: building the adapters and applying the stored consent, asserted as the exact messages
// the SDK fakes receive.
#include <gtest/gtest.h>

#include "AdapterTestFixture.h"
#include "QVTVConsent/adapters/AdapterFactory.h"
#include "QVTVConsent/adapters/ConsentAdapterSetup.h"
#include "QVTVConsent/adapters/QVSingularConfig.h"
#include "QVTVConsent/adapters/SingularConsentAdapter.h"
#include "QVTVConsent/adapters/QVTenjinConfig.h"

using namespace adaptertest;
using qvtv::ConsentAdapterSetup;
using qvtv::QVConsentStatus;
using qvtv::QVConsentType;
using qvtv::QVGCMConsentSignal;
using qvtv::QVGCMConsentSignalStatus;
using qvtv::QVSupportedPackage;

namespace {

const std::string kAllDenied =
    "FIRAnalytics setConsent:({ad_personalization: denied, ad_storage: denied, ad_user_data: denied, "
    "analytics_storage: denied})";

Calls firebaseCollection(bool on) {
    return {std::string("FIRAnalytics setAnalyticsCollectionEnabled:(") + (on ? "true" : "false") + ")"};
}

std::vector<std::string> tags(const qvtv::QVAdapterConsentManager& manager) {
    std::vector<std::string> out;
    for (const auto& a : manager.adapters()) out.push_back(a->tag());
    return out;
}

} // namespace

// The library is not initialised here: the analytics SDK cannot store what it applied.
class InitialConsentApplication : public AdapterTest {
protected:
    std::shared_ptr<qvtv::QVAdapterConsentManager> setUp(ConsentAdapterSetup::StoredConsent stored,
                                                         ConsentAdapterSetup::IntegrationConfigs configs = {}) {
        return ConsentAdapterSetup::setUpAdapters(configs, stored);
    }
};

TEST_F(InitialConsentApplication, PendingConsentFollowsTheConsentType) {
    // Explicit: every SDK starts and stays restricted.
    const ConsentAdapterSetup::StoredConsent explicitPending{.consentType = QVConsentType::explicit_};
    auto manager = setUp(explicitPending);
    EXPECT_EQ(tags(*manager), (std::vector<std::string>{"FirebaseAnalyticsConsentAdapter", "SingularConsentAdapter",
                                                        "TenjinConsentAdapter", "AirbridgeConsentAdapter"}));
    EXPECT_EQ(calls(), concat({firebaseCollection(false), singularOptIn(false), singularOptIn(false),
                               tenjinOptIn(false), airbridgeOptIn(false)}));
    clearCalls();
    ConsentAdapterSetup::applyConsent(explicitPending);
    EXPECT_EQ(calls(), concat({{kAllDenied}, singularOptIn(false), tenjinOptIn(false), airbridgeOptIn(false)}));
    // Before any initialisation the analytics SDK gets its signals but reports failure.
    EXPECT_TRUE(log_.contains("[ERROR] FirebaseAnalyticsConsentAdapter: Error applying Google Consent Mode - "
                              "DataFactoryError.notCreated: the consent repository does not exist yet; initialise "
                              "the library first"));
    EXPECT_TRUE(log_.contains("[INFO] QVAdapterConsentManager: Consent failed to " +
                              QVSupportedPackage::firebaseAnalytics().description()));
    EXPECT_TRUE(log_.contains("[INFO] QVAdapterConsentManager: Consent applied to " +
                              QVSupportedPackage::singular().description()));

    // Implicit: everything runs until the viewer objects.
    clearCalls();
    const ConsentAdapterSetup::StoredConsent implicitPending{.consentType = QVConsentType::implict};
    setUp(implicitPending);
    ConsentAdapterSetup::applyConsent(implicitPending);
    EXPECT_EQ(calls(), concat({firebaseCollection(true), singularOptIn(true), singularOptIn(true), tenjinOptIn(true),
                               airbridgeOptIn(true), {kAllDenied}, singularOptIn(true), tenjinOptIn(true),
                               airbridgeOptIn(true)}));
}

TEST_F(InitialConsentApplication, WithConsentModeTheAnalyticsAdapterComesFirstAndKeepsCollectionAsItIs) {
    const ConsentAdapterSetup::StoredConsent stored{
        .consentType = QVConsentType::explicit_,
        .isGCMEnabled = true,
        .signals = {{QVGCMConsentSignal::analyticsStorage, QVGCMConsentSignalStatus::granted},
                    {QVGCMConsentSignal::adStorage, QVGCMConsentSignalStatus::denied}}};
    setUp(stored, {std::make_shared<qvtv::QVTenjinConfig>("tenjin-key")});
    // Collection starts as the granted analytics signal leaves it, not as the explicit type would.
    EXPECT_EQ(calls(), concat({firebaseCollection(true), {"TenjinSDK initialize:(tenjin-key)"}, tenjinOptIn(false),
                               singularOptIn(false), singularOptIn(false), airbridgeOptIn(false)}));
    clearCalls();
    ConsentAdapterSetup::applyConsent(stored);
    // packageEnabled is absent for the analytics SDK: no collection call without a repository.
    EXPECT_EQ(calls(), concat({{"FIRAnalytics setConsent:({ad_personalization: denied, ad_storage: denied, "
                                "ad_user_data: denied, analytics_storage: granted})"},
                               tenjinOptIn(false), singularOptIn(false), airbridgeOptIn(false)}));
}

TEST_F(InitialConsentApplication, CollectedConsentEnablesExactlyTheStoredPackages) {
    auto stored = advertisingRecords({{"Singular", false}, {"TenjinSDK", true}, {"Airbridge", true}, {"FirebaseAnalytics", true}});
    const ConsentAdapterSetup::StoredConsent collected{
        .consentType = QVConsentType::implict, .status = QVConsentStatus::collected, .records = stored};
    setUp(collected);
    // The stored switch overrides the implicit default when the adapters start.
    EXPECT_EQ(calls(), concat({firebaseCollection(true), singularOptIn(false), singularOptIn(false), tenjinOptIn(true),
                               airbridgeOptIn(true)}));
    clearCalls();
    ConsentAdapterSetup::applyConsent(collected);
    EXPECT_EQ(calls(), concat({{kAllDenied}, singularOptIn(false), tenjinOptIn(true), airbridgeOptIn(true)}));
    EXPECT_TRUE(log_.contains("[INFO] SingularConsentAdapter: applyConsent(packageEnabled: false, consentSignals: true)"));
}

TEST_F(InitialConsentApplication, RecollectionNeverEnablesWhatTheViewerRefused) {
    auto stored = advertisingRecords({{"Singular", true}, {"TenjinSDK", false}});
    const ConsentAdapterSetup::StoredConsent implicitAgain{
        .consentType = QVConsentType::implict, .status = QVConsentStatus::recollectionRequired, .records = stored};
    setUp(implicitAgain);
    EXPECT_EQ(calls(), concat({firebaseCollection(false), singularOptIn(true), singularOptIn(true), tenjinOptIn(false),
                               airbridgeOptIn(false)}));
    clearCalls();
    ConsentAdapterSetup::applyConsent(implicitAgain);
    EXPECT_EQ(calls(), concat({{kAllDenied}, singularOptIn(true), tenjinOptIn(false), airbridgeOptIn(false)}));

    auto explicitAgain = implicitAgain;
    explicitAgain.consentType = QVConsentType::explicit_;
    setUp(explicitAgain);
    clearCalls();
    ConsentAdapterSetup::applyConsent(explicitAgain);
    EXPECT_EQ(calls(), concat({{kAllDenied}, singularOptIn(false), tenjinOptIn(false), airbridgeOptIn(false)}));
}

TEST_F(InitialConsentApplication, AnIntegrationConfigurationReplacesTheBuiltInAdapter) {
    const bool startedBefore = qvtv::SingularConsentAdapter::isSessionStarted();
    auto manager = setUp({.consentType = QVConsentType::implict},
                         {std::make_shared<qvtv::QVSingularConfig>("api-key", "secret")});
    EXPECT_EQ(tags(*manager), (std::vector<std::string>{"SingularConsentAdapter", "FirebaseAnalyticsConsentAdapter",
                                                        "TenjinConsentAdapter", "AirbridgeConsentAdapter"}));
    const std::string start = startedBefore ? "reStartSession:withKey:" : "startSession:withKey:";
    EXPECT_EQ(calls(), concat({singularOptIn(true), {"Singular " + start + "(api-key, secret)"}, singularOptIn(true),
                               firebaseCollection(true), tenjinOptIn(true), airbridgeOptIn(true)}));
    EXPECT_EQ(qvtv::AdapterFactory::registeredPackages().size(), 4u);

    // Without the Singular class the configuration's adapter and the built-in one are both dropped.
    useSdks({.singular = false});
    manager = setUp({.consentType = QVConsentType::implict},
                    {std::make_shared<qvtv::QVSingularConfig>("api-key", "secret")});
    EXPECT_EQ(tags(*manager), (std::vector<std::string>{"FirebaseAnalyticsConsentAdapter", "TenjinConsentAdapter",
                                                        "AirbridgeConsentAdapter"}));
    EXPECT_FALSE(qvtv::AdapterFactory::isRegistered(QVSupportedPackage::singular()));
}

TEST_F(InitialConsentApplication, EveryVendorAbsentLeavesNothingToDoAndOnlyWarns) {
    useSdks({.firebase = false, .singular = false, .tenjin = false, .airbridge = false});
    const ConsentAdapterSetup::StoredConsent stored{.consentType = QVConsentType::implict, .isGCMEnabled = true};
    auto manager = setUp(stored, {std::make_shared<qvtv::QVSingularConfig>("k", "s")});
    EXPECT_TRUE(manager->adapters().empty());
    ConsentAdapterSetup::applyConsent(stored);
    manager->clearSession();
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(log_.contains("[WARN] FirebaseAnalyticsConsentAdapter: Firebase Analytics not found"));
    EXPECT_TRUE(linesContaining("[ERROR]").empty());
}

TEST_F(InitialConsentApplication, TheManagerSkipsMissingSdksAndAdaptersOfTheWrongKind) {
    const ConsentAdapterSetup::StoredConsent stored{.consentType = QVConsentType::implict};
    auto manager = setUp(stored);
    useSdks({.tenjin = false});  // Tenjin disappears after set-up
    clearCalls();
    ConsentAdapterSetup::applyConsent(stored);
    EXPECT_EQ(calls(), concat({{kAllDenied}, singularOptIn(true), airbridgeOptIn(true)}));
    EXPECT_TRUE(log_.contains("[INFO] QVAdapterConsentManager: Failed to apply consent to " +
                              QVSupportedPackage::tenjin().description() + ": SDK not available!"));
    clearCalls();
    manager->clearSession();
    // Clearing the analytics SDK's session denies every signal; without a repository collection stays.
    EXPECT_EQ(calls(), concat({{kAllDenied}, singularOptIn(false), {"Singular endSession"},
                               airbridgeOptIn(false), {"Airbridge.Airbridge clearUser"}}));
    EXPECT_TRUE(log_.contains("[INFO] QVAdapterConsentManager: Failed to clear session for " +
                              QVSupportedPackage::tenjin().description() + ": SDK not available!"));
}

TEST_F(InitialConsentApplication, SignalMapsComeFromTheRegionEntryOrTheCatchAll) {
    auto gcm = [](std::vector<std::string> regions, const char* signal, const char* status) {
        return *qvtv::GoogleConsentData::fromJson(
            {{"configs", {{{"signal", signal}, {"status", status}}}}, {"regions", regions}});
    };
    std::vector<qvtv::GoogleConsentData> data{gcm({"DE", "FR"}, "ad_storage", "granted"),
                                              gcm({"all"}, "analytics_storage", "granted"),
                                              gcm({"DE"}, "ad_user_data", "granted")};
    using Map = qvtv::QVGCMSignalMap;
    EXPECT_EQ(ConsentAdapterSetup::signalMap("app", "DE", data),
              (Map{{QVGCMConsentSignal::adStorage, QVGCMConsentSignalStatus::granted}}));
    EXPECT_EQ(ConsentAdapterSetup::signalMap("app", "US", data),
              (Map{{QVGCMConsentSignal::analyticsStorage, QVGCMConsentSignalStatus::granted}}));
    EXPECT_TRUE(ConsentAdapterSetup::signalMap("app", "US", {data[0]}).empty());
    EXPECT_TRUE(ConsentAdapterSetup::signalMap("app", std::nullopt, data).empty());
    EXPECT_TRUE(log_.contains("[WARN] QVCoreEngineFactory: applyConsent(app) => localeResult is null"));

    // A setting without a signal is skipped; one without a status counts as denied.
    EXPECT_EQ(ConsentAdapterSetup::signalMap("app", "DE", {gcm({"DE"}, "nonsense", "granted"),
                                                           gcm({"all"}, "ad_storage", "granted")}),
              Map{});
    EXPECT_TRUE(log_.contains("[WARN] QVCoreEngineFactory: applyConsent(app) => gcmData.config is null"));
    EXPECT_EQ(ConsentAdapterSetup::signalMap("app", "DE", {gcm({"DE"}, "ad_storage", "maybe")}),
              (Map{{QVGCMConsentSignal::adStorage, QVGCMConsentSignalStatus::denied}}));
}

TEST_F(InitialConsentApplication, ALaterRecordForTheSamePackageWins) {
    auto first = advertisingRecords({{"Singular", true}, {"tenjinsdk", true}, {"Unknown", true}});
    auto second = advertisingRecords({{"SINGULAR", false}});
    first.insert(first.end(), second.begin(), second.end());
    EXPECT_EQ(ConsentAdapterSetup::enabledPackages(first), std::set<QVSupportedPackage>{QVSupportedPackage::tenjin()});
}
