#include "QVTVConsent/adapters/FirebaseAnalyticsConsentAdapter.h"

#include <string>

#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/data/Prefs.h"
#include "QVTVConsent/core/QVAuthKey.h"
#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/core/QVMessage.h"
#include "QVTVConsent/model/QVAppliedGCMData.h"

namespace qvtv {
namespace {

bool isGranted(const QVGCMSignalMap& signals, QVGCMConsentSignal signal) {
    auto it = signals.find(signal);
    return it != signals.end() && it->second == QVGCMConsentSignalStatus::granted;
}

std::string statusText(const QVGCMSignalMap& signals, QVGCMConsentSignal signal) {
    return isGranted(signals, signal) ? "granted" : "denied";
}

} // namespace

FirebaseAnalyticsConsentAdapter::FirebaseAnalyticsConsentAdapter(QVConsentType consentType,
                                                                 std::optional<bool> collection)
    : ConsentAdapter("FirebaseAnalyticsConsentAdapter", consentType, QVSupportedPackage::firebaseAnalytics()) {
    if (!sdkClass()) {
        QVLogger::w(tag(), "Firebase Analytics not found");
        return;
    }
    QVLogger::i(tag(), "FirebaseAnalytics SDK reflection initialized successfully");
    setAnalyticsCollectionEnabled(collection.value_or(consentType == QVConsentType::implict));
}

bool FirebaseAnalyticsConsentAdapter::analyticsCollection(std::optional<bool> packageEnabled,
                                                          const QVGCMSignalMap& consentSignals) {
    return packageEnabled.value_or(isGranted(consentSignals, QVGCMConsentSignal::analyticsStorage));
}

void FirebaseAnalyticsConsentAdapter::setAnalyticsCollectionEnabled(bool enabled) {
    QVLogger::i(tag(), std::string("setAnalyticsCollectionEnabled(") + text(enabled) + ")");
    if (auto cls = sdkClass()) cls->send("setAnalyticsCollectionEnabled:", {enabled});
}

void FirebaseAnalyticsConsentAdapter::setConsent(const platform::TextDictionary& consent) {
    QVLogger::i(tag(), "setConsentPermissions(" + platform::describe(consent) + ")");
    if (auto cls = sdkClass()) cls->send("setConsent:", {consent});
}

bool FirebaseAnalyticsConsentAdapter::applyConsent(std::optional<bool> packageEnabled,
                                                   const QVGCMSignalMap& consentSignals) {
    setConsent({
        {"analytics_storage", statusText(consentSignals, QVGCMConsentSignal::analyticsStorage)},
        {"ad_storage", statusText(consentSignals, QVGCMConsentSignal::adStorage)},
        {"ad_user_data", statusText(consentSignals, QVGCMConsentSignal::adUserData)},
        {"ad_personalization", statusText(consentSignals, QVGCMConsentSignal::adPersonalization)},
    });
    const bool collection = analyticsCollection(packageEnabled, consentSignals);

    std::shared_ptr<ConsentRepository> repository;
    try {
        repository = DataFactory::repository();
    } catch (const DataFactoryError& error) {
        QVLogger::e(tag(), "Error applying Google Consent Mode", QVError{"DataFactoryError", 0, error.what()});
        return false;
    }
    storeAppliedData(*repository, consentSignals);
    setAnalyticsCollectionEnabled(collection);
    QVLogger::i(tag(), std::string("Consent applied successfully to firebase, updating analytics collection to ") +
                           text(collection) + ".");
    return true;
}

void FirebaseAnalyticsConsentAdapter::storeAppliedData(ConsentRepository& repository,
                                                       const QVGCMSignalMap& consentSignals) {
    const auto& key = repository.authKey();
    if (!key) return;
    const auto locale = repository.getLocale(key->applicationId()).data();
    if (!locale) return;

    QVAppliedGCMData applied{*locale, {}};
    for (const auto& [signal, status] : consentSignals) applied.consentData.push_back({signal, status});
    repository.prefs()->saveAppliedGCMData(applied);
    QVLogger::i(tag(), "Applied GCM config data saved successfully: " + QVMessage(200, "").description());
}

void FirebaseAnalyticsConsentAdapter::clearSession() {
    applyConsent(false, {
                            {QVGCMConsentSignal::adStorage, QVGCMConsentSignalStatus::denied},
                            {QVGCMConsentSignal::analyticsStorage, QVGCMConsentSignalStatus::denied},
                            {QVGCMConsentSignal::adUserData, QVGCMConsentSignalStatus::denied},
                            {QVGCMConsentSignal::adPersonalization, QVGCMConsentSignalStatus::denied},
                        });
}

} // namespace qvtv
