#include <gtest/gtest.h>

#include "AdapterTestFixture.h"
#include "QVTVConsent/adapters/AirbridgeConsentAdapter.h"
#include "QVTVConsent/adapters/SingularConsentAdapter.h"
#include "QVTVConsent/adapters/TenjinConsentAdapter.h"
#include "QVTVConsent/core/QVLogger.h"

using namespace adaptertest;
using qvtv::QVConsentStatus;
using qvtv::QVConsentType;

class VendorAdapters : public AdapterTest {};

TEST_F(VendorAdapters, SingularStartsItsSessionOnceAndRestartsItLater) {
    // The started flag lives for the whole process, so an earlier test may have set it.
    const bool startedBefore = qvtv::SingularConsentAdapter::isSessionStarted();
    qvtv::SingularConsentAdapter first(qvtv::QVSingularConfig("key-1", "secret-1"), QVConsentType::explicit_,
                                       QVConsentStatus::pending, std::nullopt);
    EXPECT_TRUE(qvtv::SingularConsentAdapter::isSessionStarted());
    const std::string start = startedBefore ? "reStartSession:withKey:" : "startSession:withKey:";
    EXPECT_EQ(calls(), concat({singularOptIn(false), {"Singular " + start + "(key-1, secret-1)"}, singularOptIn(false)}));

    clearCalls();
    qvtv::SingularConsentAdapter second(qvtv::QVSingularConfig("key-2", "secret-2"), QVConsentType::implict,
                                        QVConsentStatus::pending, std::nullopt);
    EXPECT_EQ(calls(), concat({singularOptIn(true), {"Singular reStartSession:withKey:(key-2, secret-2)"},
                               singularOptIn(true)}));
    EXPECT_TRUE(log_.contains("[INFO] SingularConsentAdapter: Initializing Singular with init(apiKey, secret) "
                              "(Restricted = false"));
    EXPECT_TRUE(log_.contains("[INFO] SingularConsentAdapter: optIn(optIn: true)"));
}

TEST_F(VendorAdapters, SingularWithoutConfigOnlyOptsAndAppliesAndClears) {
    // Collected consent that disables the package restricts it even under implicit consent.
    qvtv::SingularConsentAdapter singular(std::nullopt, QVConsentType::implict, QVConsentStatus::collected, false);
    EXPECT_EQ(calls(), concat({singularOptIn(false), singularOptIn(false)}));
    EXPECT_TRUE(log_.contains("[INFO] SingularConsentAdapter: Singular Config not found, skipping initialization "
                              "(Restricted = true"));

    clearCalls();
    EXPECT_TRUE(singular.applyConsent(true, true));
    EXPECT_TRUE(singular.applyConsent(std::nullopt, true));  // absent counts as declined
    singular.clearSession();
    EXPECT_EQ(calls(), concat({singularOptIn(true), singularOptIn(false), singularOptIn(false),
                               {"Singular endSession"}}));
    EXPECT_TRUE(log_.contains("[INFO] SingularConsentAdapter: applyConsent(packageEnabled: true, consentSignals: true)"));
    EXPECT_TRUE(log_.contains("[INFO] SingularConsentAdapter: applyConsent(packageEnabled: nil, consentSignals: true)"));
    EXPECT_TRUE(log_.contains("[INFO] SingularConsentAdapter: clearSession()"));
}

TEST_F(VendorAdapters, TenjinInitialisesAndAsksForDebugLogsOnlyWhenIntegrationLogsAreOn) {
    qvtv::TenjinConsentAdapter quiet(qvtv::QVTenjinConfig("tenjin-key"), QVConsentType::implict,
                                     QVConsentStatus::pending, std::nullopt);
    EXPECT_EQ(calls(), concat({{"TenjinSDK initialize:(tenjin-key)"}, tenjinOptIn(true)}));

    clearCalls();
    qvtv::QVLogger::INTEGRATION_SDK_LOGS_ENABLED = true;
    qvtv::TenjinConsentAdapter verbose(qvtv::QVTenjinConfig("tenjin-key"), QVConsentType::explicit_,
                                       QVConsentStatus::pending, std::nullopt);
    EXPECT_EQ(calls(), concat({{"TenjinSDK initialize:(tenjin-key)", "TenjinSDK debugLogs"}, tenjinOptIn(false)}));
    EXPECT_TRUE(log_.contains("[INFO] TenjinConsentAdapter: Initializing enjin SDK with config (Restricted = true"));

    clearCalls();
    EXPECT_TRUE(verbose.applyConsent(true, true));
    verbose.clearSession();
    EXPECT_EQ(calls(), concat({tenjinOptIn(true), tenjinOptIn(false)}));
    // Tenjin opts first and reports afterwards.
    auto lines = linesContaining("TenjinConsentAdapter: ");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[lines.size() - 4], "[INFO] TenjinConsentAdapter: optIn(optIn: true)");
    EXPECT_EQ(lines[lines.size() - 3],
              "[INFO] TenjinConsentAdapter: applyConsent(packageEnabled: true, consentSignals: true)");
    EXPECT_EQ(lines[lines.size() - 2], "[INFO] TenjinConsentAdapter: clearSession()");
}

TEST_F(VendorAdapters, AirbridgeBuildsItsOptionThroughTheBuilder) {
    qvtv::AirbridgeConsentAdapter airbridge(qvtv::QVAirbridgeConfig("my-app", "app-token"), QVConsentType::implict,
                                            QVConsentStatus::pending, std::nullopt);
    EXPECT_EQ(calls(), concat({{"Airbridge.AirbridgeOptionBuilder alloc",
                                "<AirbridgeOptionBuilder> initWithName:token:(my-app, app-token)",
                                "<AirbridgeOptionBuilder> setAutoStartTrackingEnabled:(true)",
                                "<AirbridgeOptionBuilder> build",
                                "Airbridge.Airbridge initializeSDKWithOption:(<AirbridgeOption>)"},
                               airbridgeOptIn(true)}));
    EXPECT_TRUE(log_.contains("[INFO] AirbridgeConsentAdapter: Initializing Airbridge SDK (Restricted = $false."));

    clearCalls();
    EXPECT_TRUE(airbridge.applyConsent(std::nullopt, true));
    airbridge.clearSession();
    EXPECT_EQ(calls(), concat({airbridgeOptIn(false), airbridgeOptIn(false), {"Airbridge.Airbridge clearUser"}}));
}

TEST_F(VendorAdapters, AirbridgeBuilderVariants) {
    // An older builder without the auto-start switch, with the SDK's own logging asked for.
    useSdks({.builderAnswersAutoStart = false});
    qvtv::QVLogger::INTEGRATION_SDK_LOGS_ENABLED = true;
    qvtv::AirbridgeConsentAdapter older(qvtv::QVAirbridgeConfig("my-app", "app-token"), QVConsentType::explicit_,
                                        QVConsentStatus::pending, std::nullopt);
    EXPECT_EQ(calls(), concat({{"Airbridge.AirbridgeOptionBuilder alloc",
                                "<AirbridgeOptionBuilder> initWithName:token:(my-app, app-token)",
                                "Airbridge.AirbridgeLogLevel initWithRawValue:(0)",
                                "<AirbridgeOptionBuilder> setLogLevel:(<AirbridgeLogLevel>)",
                                "<AirbridgeOptionBuilder> build",
                                "Airbridge.Airbridge initializeSDKWithOption:(<AirbridgeOption>)"},
                               airbridgeOptIn(false)}));

    // Credentials the builder rejects: no initialisation, consent still applied.
    useSdks({.builderInitFails = true});
    qvtv::AirbridgeConsentAdapter rejected(qvtv::QVAirbridgeConfig("bad", "creds"), QVConsentType::implict,
                                           QVConsentStatus::pending, std::nullopt);
    EXPECT_EQ(calls(), concat({{"Airbridge.AirbridgeOptionBuilder alloc",
                                "<AirbridgeOptionBuilder> initWithName:token:(bad, creds)"},
                               airbridgeOptIn(true)}));
    EXPECT_TRUE(log_.contains(
        "[WARN] AirbridgeConsentAdapter: Failed to initialize AirbridgeOptionBuilder with appName/token."));
    EXPECT_TRUE(log_.contains(
        "[WARN] AirbridgeConsentAdapter: Airbridge config or option not available. Initialization skipped."));
}

TEST_F(VendorAdapters, AbsentVendorsOnlyWarn) {
    useSdks({.firebase = false, .singular = false, .tenjin = false, .airbridge = false});
    qvtv::SingularConsentAdapter singular(qvtv::QVSingularConfig("k", "s"), QVConsentType::implict,
                                          QVConsentStatus::pending, std::nullopt);
    qvtv::TenjinConsentAdapter tenjin(qvtv::QVTenjinConfig("k"), QVConsentType::implict, QVConsentStatus::pending,
                                      std::nullopt);
    qvtv::AirbridgeConsentAdapter airbridge(qvtv::QVAirbridgeConfig("a", "t"), QVConsentType::implict,
                                            QVConsentStatus::pending, std::nullopt);
    EXPECT_FALSE(singular.applyConsent(true, true));
    EXPECT_FALSE(tenjin.applyConsent(true, true));
    EXPECT_FALSE(airbridge.applyConsent(true, true));
    singular.clearSession();
    tenjin.clearSession();
    airbridge.clearSession();

    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(log_.contains("[WARN] SingularConsentAdapter: Singular SDK not found."));
    EXPECT_TRUE(log_.contains("[WARN] TenjinConsentAdapter: Tenjin SDK not found!"));
    EXPECT_TRUE(log_.contains("[WARN] AirbridgeConsentAdapter: Airbridge SDK not found!"));
    EXPECT_TRUE(log_.contains("[WARN] SingularConsentAdapter: Unable to optIn(optIn: true), Singular Instance not found."));
    EXPECT_TRUE(log_.contains("[WARN] TenjinConsentAdapter: Unable to optIn(optIn: false), Tenjin Instance not found."));
    EXPECT_TRUE(log_.contains("[WARN] AirbridgeConsentAdapter: Unable to optIn(optIn: true), Airbridge class not found."));
    EXPECT_TRUE(linesContaining("[ERROR]").empty());
}
