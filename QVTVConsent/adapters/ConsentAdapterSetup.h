#pragma once
// The adapter work of an initialisation run, in the order the engine calls it: ask for tracking
// authorisation when a linked SDK needs it, read the primary application id's stored consent
// once, build the adapters and the process-wide adapter manager, then apply that consent to them.
// Every adapter is built in the state that application leaves, so an SDK's first calls already
// carry its final state and nothing runs, even briefly, against the viewer's stored choice.
//
//   qvtv::ConsentAdapterSetup::requestTrackingAuthorization();        // off the main thread
//   auto stored = qvtv::ConsentAdapterSetup::readStoredConsent(*repository, key.applicationId());
//   qvtv::ConsentAdapterSetup::setUpAdapters(key.integrationConfigs(), stored);
//   qvtv::ConsentAdapterSetup::applyConsent(stored);

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "QVTVConsent/adapters/QVAdapterConsentManager.h"
#include "QVTVConsent/adapters/QVGCMSignalMap.h"
#include "QVTVConsent/data/ConsentRepository.h"
#include "QVTVConsent/model/GoogleConsentData.h"

namespace qvtv {

class QVIntegrationConfig;

class ConsentAdapterSetup {
public:
    using IntegrationConfigs = std::vector<std::shared_ptr<QVIntegrationConfig>>;

    // What the set-up needs to know about the primary application id.
    struct StoredConsent {
        QVConsentType consentType = QVConsentType::explicit_;
        bool isGCMEnabled = false;
        QVConsentStatus status = QVConsentStatus::pending;
        ConsentRepository::ConsentList records{};  // only when consent was collected
        QVGCMSignalMap signals{};                  // the Google Consent Mode signals of the device's region
    };

    // Waits for the viewer's answer when a linked SDK needs tracking authorisation; call it off the
    // main thread. Never fails: a provider that fails counts as an unknown answer.
    static void requestTrackingAuthorization();

    // Everything the start needs, read once so building and applying agree. The signals come from
    // the applied data stored by the last start when there is some, else from the template's
    // configuration.
    static StoredConsent readStoredConsent(ConsentRepository& repository, const std::string& primaryApplicationId);

    // Builds the adapters (the configurations' first, then the built-in ones they leave out), each
    // with the switch that applying `stored` gives its package, and makes their manager the
    // process-wide one.
    static std::shared_ptr<QVAdapterConsentManager> setUpAdapters(const IntegrationConfigs& integrationConfigs,
                                                                  const StoredConsent& stored);

    // The Google Consent Mode signals of the entry for `locale` (or for "all"); empty without a locale.
    static QVGCMSignalMap signalMap(const std::string& applicationId, const std::optional<std::string>& locale,
                                    const std::vector<GoogleConsentData>& gcm);

    // Packages the records enable; a later record for the same package wins.
    static std::set<QVSupportedPackage> enabledPackages(const ConsentRepository::ConsentList& records);

    // Applies the stored consent to the process-wide manager, as at start-up.
    static void applyConsent(const StoredConsent& stored);

    ConsentAdapterSetup() = delete;
};

} // namespace qvtv
