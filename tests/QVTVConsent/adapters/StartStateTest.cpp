// A start never switches an SDK on, even for a moment, when the same start switches it off again:
// each SDK's first calls already carry the state the start leaves it in. Checked over the recording
// SDK fakes for every consent status, consent type and stored switch, and once over loopback for
// the start the viewer would notice (implicit consent to be collected again after a refusal).
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "AdapterTestFixture.h"
#include "QVTVConsent/ServiceHarness.h"
#include "QVTVConsent/adapters/ConsentAdapterSetup.h"
#include "QVTVConsent/adapters/QVAirbridgeConfig.h"
#include "QVTVConsent/adapters/QVSingularConfig.h"
#include "QVTVConsent/adapters/QVTenjinConfig.h"
#include "QVTVConsent/engine/QVConsentEngineFactory.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/model/QVCategory.h"
#include "QVTVConsent/model/QVConsentBannerData.h"

using namespace adaptertest;
using qvtv::ConsentAdapterSetup;
using qvtv::QVConsentStatus;
using qvtv::QVConsentType;
using qvtv::QVGCMConsentSignal;
using qvtv::QVGCMConsentSignalStatus;

namespace {

// The switch a call sets, as (what it switches, on); none for calls that switch nothing.
using Switch = std::pair<std::string, bool>;

std::vector<Switch> switchesOf(const std::string& call) {
    static const std::map<std::string, Switch> plain{
        {"FIRAnalytics setAnalyticsCollectionEnabled:(true)", {"analytics collection", true}},
        {"FIRAnalytics setAnalyticsCollectionEnabled:(false)", {"analytics collection", false}},
        {"Singular resumeAllTracking", {"Singular tracking", true}},
        {"Singular stopAllTracking", {"Singular tracking", false}},
        {"Singular setLimitAdvertisingIdentifiers:(false)", {"Singular advertising ids", true}},
        {"Singular setLimitAdvertisingIdentifiers:(true)", {"Singular advertising ids", false}},
        {"Singular limitDataSharing:(false)", {"Singular data sharing", true}},
        {"Singular limitDataSharing:(true)", {"Singular data sharing", false}},
        {"TenjinSDK optIn", {"Tenjin", true}},
        {"TenjinSDK connect", {"Tenjin", true}},
        {"TenjinSDK optOut", {"Tenjin", false}},
        {"Airbridge.Airbridge enableSDK", {"Airbridge", true}},
        {"Airbridge.Airbridge disableSDK", {"Airbridge", false}},
        {"Airbridge.Airbridge startTracking", {"Airbridge tracking", true}},
        {"Airbridge.Airbridge stopTracking", {"Airbridge tracking", false}},
        {"<AirbridgeOptionBuilder> setAutoStartTrackingEnabled:(true)", {"Airbridge tracking", true}},
        {"<AirbridgeOptionBuilder> setAutoStartTrackingEnabled:(false)", {"Airbridge tracking", false}},
    };
    if (auto found = plain.find(call); found != plain.end()) return {found->second};
    // "FIRAnalytics setConsent:({ad_storage: granted, ...})": one switch per signal.
    const std::string consent = "FIRAnalytics setConsent:({";
    std::vector<Switch> out;
    if (call.rfind(consent, 0) != 0) return out;
    std::string rest = call.substr(consent.size());
    for (std::size_t at = 0; at < rest.size();) {
        const auto colon = rest.find(": ", at);
        if (colon == std::string::npos) break;
        auto end = rest.find_first_of(",}", colon);
        out.push_back({rest.substr(at, colon - at), rest.substr(colon + 2, end - colon - 2) == "granted"});
        at = end + 2;
    }
    return out;
}

// The first call that switches something on which a later call of the same run switches off.
std::optional<std::string> firstReversedEnabling(const Calls& calls) {
    std::map<std::string, std::string> enabledBy;
    for (const auto& call : calls) {
        for (const auto& [what, on] : switchesOf(call)) {
            if (on) {
                enabledBy.emplace(what, call);
            } else if (auto earlier = enabledBy.find(what); earlier != enabledBy.end()) {
                return earlier->second + " ... then " + call;
            }
        }
    }
    return std::nullopt;
}

// The state each switch is left in.
std::map<std::string, bool> finalState(const Calls& calls) {
    std::map<std::string, bool> state;
    for (const auto& call : calls) {
        for (const auto& [what, on] : switchesOf(call)) state[what] = on;
    }
    return state;
}

qvtv::ConsentRepository::ConsentList recordsWith(std::optional<bool> storedSwitch) {
    if (!storedSwitch) return {};
    const bool on = *storedSwitch;
    return advertisingRecords({{"FirebaseAnalytics", on}, {"Singular", on}, {"TenjinSDK", on}, {"Airbridge", on}},
                              on ? "All" : "None");
}

std::string describe(QVConsentStatus status) {
    switch (status) {
    case QVConsentStatus::pending: return "pending";
    case QVConsentStatus::collected: return "collected";
    case QVConsentStatus::recollectionRequired: return "recollectionRequired";
    }
    return "?";
}

} // namespace

class StartState : public AdapterTest {};

TEST_F(StartState, NoSdkIsEnabledOnlyToBeSwitchedOffByTheSameStart) {
    const ConsentAdapterSetup::IntegrationConfigs configs{std::make_shared<qvtv::QVSingularConfig>("key", "secret"),
                                                          std::make_shared<qvtv::QVTenjinConfig>("key"),
                                                          std::make_shared<qvtv::QVAirbridgeConfig>("app", "token")};
    for (auto status : {QVConsentStatus::pending, QVConsentStatus::collected, QVConsentStatus::recollectionRequired}) {
        for (auto type : {QVConsentType::explicit_, QVConsentType::implict}) {
            for (std::optional<bool> storedSwitch : {std::optional<bool>(true), std::optional<bool>(false),
                                                     std::optional<bool>()}) {
                for (bool gcm : {false, true}) {
                    for (auto analytics : {QVGCMConsentSignalStatus::granted, QVGCMConsentSignalStatus::denied}) {
                        SCOPED_TRACE(describe(status) + (type == QVConsentType::implict ? " implicit" : " explicit") +
                                     " switch " + (storedSwitch ? (*storedSwitch ? "on" : "off") : "absent") +
                                     (gcm ? " consent mode" : "") +
                                     (analytics == QVGCMConsentSignalStatus::granted ? " analytics granted" : ""));
                        const ConsentAdapterSetup::StoredConsent stored{
                            .consentType = type,
                            .isGCMEnabled = gcm,
                            .status = status,
                            .records = recordsWith(storedSwitch),
                            .signals = {{QVGCMConsentSignal::analyticsStorage, analytics},
                                        {QVGCMConsentSignal::adStorage, QVGCMConsentSignalStatus::granted}}};
                        clearCalls();
                        ConsentAdapterSetup::setUpAdapters(configs, stored);
                        ConsentAdapterSetup::applyConsent(stored);
                        const auto run = calls();
                        const auto reversed = firstReversedEnabling(run);
                        EXPECT_FALSE(reversed) << *reversed;

                        // Each SDK ends where the stored choice puts it.
                        const bool implicit = type == QVConsentType::implict;
                        const bool on = storedSwitch.value_or(false);
                        bool runs = status == QVConsentStatus::pending     ? implicit
                                    : status == QVConsentStatus::collected ? on
                                                                           : implicit && on;
                        bool collects = runs;
                        if (status == QVConsentStatus::pending && gcm) {
                            collects = analytics == QVGCMConsentSignalStatus::granted;
                        }
                        const auto state = finalState(run);
                        EXPECT_EQ(state.at("analytics collection"), collects);
                        EXPECT_EQ(state.at("Singular tracking"), runs);
                        EXPECT_EQ(state.at("Tenjin"), runs);
                        EXPECT_EQ(state.at("Airbridge tracking"), runs);
                    }
                }
            }
        }
    }
}

TEST_F(StartState, ImplicitConsentToBeCollectedAgainKeepsRefusedSdksOffFromTheFirstCall) {
    testsupport::ServiceHarness harness;
    const std::string id = "demo-tv-app";
    auto banner = harness.readFixture(id, "banner.json");
    banner["template"]["ConsentType"] = "Implicit";
    harness.writeFixture(id, "banner.json", banner);

    // The viewer refused everything on an earlier start.
    qvtv::DataFactory::create();
    auto repository = qvtv::DataFactory::repository();
    ASSERT_EQ(repository->initialise(qvtv::QVAuthKey(id)).get().code(), 200);
    const auto categories = (*repository->getBannerData(id).data())->categories;
    ASSERT_EQ(repository->saveConsent(id, categories, true).get().code(), 200);

    // The template has since gained a package, so consent must be collected again.
    harness.addAnalyticsPackage(id, "com.example.new-meter");
    clearCalls();
    const auto started = qvtv::QVConsentEngineFactory::initialise(qvtv::QVAuthKey(id)).get();
    ASSERT_EQ(started.code(), 200) << started.description();
    ASSERT_EQ(qvtv::DataFactory::repository()->getConsentStatus(id).data(), QVConsentStatus::recollectionRequired);

    const auto run = calls();
    const auto reversed = firstReversedEnabling(run);
    EXPECT_FALSE(reversed) << *reversed;
    const auto state = finalState(run);
    EXPECT_FALSE(state.at("analytics collection"));
    EXPECT_FALSE(state.at("Singular tracking"));
    EXPECT_FALSE(state.at("Tenjin"));
    EXPECT_FALSE(state.at("Airbridge tracking"));
}
