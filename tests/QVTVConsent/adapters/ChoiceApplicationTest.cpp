// A choice saved in a screen, applied through ConsentAdapterHelper and the manager, and the
// tracking-authorisation step of start-up.
#include <gtest/gtest.h>

#include "AdapterTestFixture.h"
#include "QVTVConsent/adapters/ConsentAdapterHelper.h"
#include "QVTVConsent/adapters/ConsentAdapterSetup.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/model/QVCategory.h"
#include "platform/TrackingAuthorization.h"

using namespace adaptertest;
using qvtv::ConsentAdapterHelper;
using qvtv::ConsentAdapterSetup;
using qvtv::QVConsentStatus;
using qvtv::QVConsentType;
using qvtv::QVGCMConsentSignal;
using qvtv::QVGCMConsentSignalStatus;
using qvtv::QVGCMSignalMap;

namespace {

std::shared_ptr<qvtv::QVCategory> category(const char* type, std::initializer_list<std::pair<const char*, bool>> pkgs) {
    nlohmann::json packages = nlohmann::json::array();
    for (const auto& [id, on] : pkgs) {
        packages.push_back({{"Category", type}, {"PackageName", id}, {"PackageId", id}, {"IsEnabled", on}});
    }
    return *qvtv::QVCategory::fromJson({{"CategoryType", type}, {"CategoryName", type}, {"Packages", packages}});
}

std::vector<qvtv::GoogleConsentData> configuration() {
    return {*qvtv::GoogleConsentData::fromJson(
                {{"configs", {{{"signal", "ad_storage"}, {"status", "granted"}}, {{"signal", "analytics_storage"}}}},
                 {"regions", {"DE"}}}),
            *qvtv::GoogleConsentData::fromJson(
                {{"configs", {{{"signal", "ad_user_data"}, {"status", "granted"}}, {{"status", "granted"}}}},
                 {"regions", {"all"}}})};
}

} // namespace

class ChoiceApplication : public AdapterTest {
protected:
    void TearDown() override {
        platform::TrackingAuthorization::setProvider(nullptr);
        AdapterTest::TearDown();
    }
};

TEST_F(ChoiceApplication, SignalMapsOfTheThreeChoices) {
    const auto gcm = configuration();
    EXPECT_EQ(ConsentAdapterHelper::uniformSignals(gcm, QVGCMConsentSignalStatus::granted),
              (QVGCMSignalMap{{QVGCMConsentSignal::adStorage, QVGCMConsentSignalStatus::granted},
                              {QVGCMConsentSignal::analyticsStorage, QVGCMConsentSignalStatus::granted},
                              {QVGCMConsentSignal::adUserData, QVGCMConsentSignalStatus::granted}}));
    EXPECT_EQ(ConsentAdapterHelper::uniformSignals(gcm, QVGCMConsentSignalStatus::denied).size(), 3u);
    EXPECT_TRUE(ConsentAdapterHelper::uniformSignals({}, QVGCMConsentSignalStatus::granted).empty());

    // Analytics enabled, advertising disabled: only analytics storage is granted.
    const std::vector categories{category("Analytics", {{"FirebaseAnalytics", true}}),
                                 category("Advertising", {{"Singular", false}, {"MyOwnSdk", true}})};
    const QVGCMSignalMap custom{{QVGCMConsentSignal::adStorage, QVGCMConsentSignalStatus::denied},
                                {QVGCMConsentSignal::analyticsStorage, QVGCMConsentSignalStatus::granted},
                                {QVGCMConsentSignal::adUserData, QVGCMConsentSignalStatus::denied},
                                {QVGCMConsentSignal::adPersonalization, QVGCMConsentSignalStatus::denied}};
    EXPECT_EQ(ConsentAdapterHelper::customSignals(gcm, categories), custom);
    EXPECT_TRUE(log_.contains("[INFO] QVConsentAdapterHelper: Unsupported package: MyOwnSdk"));

    // An advertising package enabled in one category and disabled in another: denied wins.
    const std::vector twice{category("Advertising", {{"Tenjinsdk", true}}),
                            category("Advertising", {{"TenjinSDK", false}})};
    EXPECT_EQ(ConsentAdapterHelper::customSignals({}, twice),
              (QVGCMSignalMap{{QVGCMConsentSignal::adStorage, QVGCMConsentSignalStatus::denied},
                              {QVGCMConsentSignal::adUserData, QVGCMConsentSignalStatus::denied},
                              {QVGCMConsentSignal::adPersonalization, QVGCMConsentSignalStatus::denied}}));
}

TEST_F(ChoiceApplication, ACustomChoiceReachesEverySdkThroughTheManager) {
    auto manager = ConsentAdapterSetup::setUpAdapters({}, {.consentType = QVConsentType::explicit_, .isGCMEnabled = true});
    clearCalls();
    const std::vector categories{category("Analytics", {{"FirebaseAnalytics", true}}),
                                 category("Advertising", {{"Singular", false}, {"TenjinSDK", true}}),
                                 category("Advertising", {{"TenjinSDK", false}, {"Airbridge", true}})};
    manager->applyFromCategories(QVConsentStatus::collected,
                                 ConsentAdapterHelper::customSignals({}, categories), categories);
    EXPECT_EQ(calls(), concat({{"FIRAnalytics setConsent:({ad_personalization: denied, ad_storage: denied, "
                                "ad_user_data: denied, analytics_storage: granted})"},
                               singularOptIn(false), tenjinOptIn(false), airbridgeOptIn(true)}));
    EXPECT_TRUE(log_.contains("[INFO] QVAdapterConsentManager: Consent (declined) applied to " +
                              qvtv::QVSupportedPackage::singular().description()));
    EXPECT_TRUE(log_.contains("[INFO] QVAdapterConsentManager: Consent (declined) applied to " +
                              qvtv::QVSupportedPackage::tenjin().description()));
    EXPECT_TRUE(log_.contains("[INFO] QVAdapterConsentManager: Consent applied to " +
                              qvtv::QVSupportedPackage::airbridge().description()));

    // Pending consent after a screen (not the start-up) keeps every package off.
    clearCalls();
    manager->applyFromCategories(QVConsentStatus::pending, {}, categories);
    EXPECT_EQ(calls(), concat({{"FIRAnalytics setConsent:({ad_personalization: denied, ad_storage: denied, "
                                "ad_user_data: denied, analytics_storage: denied})"},
                               singularOptIn(false), tenjinOptIn(false), airbridgeOptIn(false)}));
}

TEST_F(ChoiceApplication, BeforeInitialisationTheHelpersThrowAndTouchNoSdk) {
    ConsentAdapterSetup::setUpAdapters({}, {.consentType = QVConsentType::implict});
    clearCalls();
    const std::vector categories{category("Advertising", {{"Singular", true}})};
    EXPECT_THROW(ConsentAdapterHelper::acceptAll(QVConsentStatus::collected, categories), qvtv::DataFactoryError);
    EXPECT_THROW(ConsentAdapterHelper::denyAll(QVConsentStatus::collected, categories), qvtv::DataFactoryError);
    EXPECT_THROW(ConsentAdapterHelper::applyConsent(QVConsentStatus::collected, categories), qvtv::DataFactoryError);
    EXPECT_TRUE(calls().empty());
}

namespace {

class AnsweringProvider : public platform::TrackingAuthorization::Provider {
public:
    using Status = platform::TrackingAuthorization::Status;
    explicit AnsweringProvider(int answer) : answer_(static_cast<Status>(answer)) {}
    platform::Task<Status> requestAuthorization() override {
        ++requests;
        return platform::Task<Status>::ready(answer_);
    }
    Status status() const override { return answer_; }
    int requests = 0;

private:
    Status answer_;
};

} // namespace

TEST_F(ChoiceApplication, TrackingAuthorizationIsAskedOnlyForAttributionSdks) {
    auto provider = std::make_shared<AnsweringProvider>(3);
    platform::TrackingAuthorization::setProvider(provider);
    useSdks({.singular = false, .tenjin = false, .airbridge = false});
    ConsentAdapterSetup::requestTrackingAuthorization();
    EXPECT_EQ(provider->requests, 0);
    EXPECT_TRUE(linesContaining("ATT").empty());

    useSdks({.firebase = false, .singular = false, .tenjin = false});
    ConsentAdapterSetup::requestTrackingAuthorization();
    EXPECT_EQ(provider->requests, 1);
    EXPECT_EQ(linesContaining("ATT"), (std::vector<std::string>{"[INFO] QVCoreEngineFactory: ATT requestingTrackingAuthorization",
                                                               "[INFO] QVCoreEngineFactory: ATT Authorized"}));

    const std::vector<std::pair<int, std::string>> answers{
        {0, "ATT Not Determined"}, {1, "ATT Restricted"}, {2, "ATT Denied"}, {7, "ATT Unknown"}};
    for (const auto& [answer, line] : answers) {
        platform::TrackingAuthorization::setProvider(std::make_shared<AnsweringProvider>(answer));
        ConsentAdapterSetup::requestTrackingAuthorization();
        EXPECT_TRUE(log_.contains("[INFO] QVCoreEngineFactory: " + line)) << line;
    }
}
