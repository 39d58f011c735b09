#pragma once
// The adapter work of an initialisation run, in the order the engine calls it: ask for tracking
// authorisation when a linked SDK needs it, build the adapters and the process-wide adapter
// manager, then apply the primary application id's stored consent to them.
//
//   qvtv::ConsentAdapterSetup::requestTrackingAuthorization();        // off the main thread
//   qvtv::ConsentAdapterSetup::setUpAdapters(key.integrationConfigs(), key.applicationId(), *repository);
//   qvtv::ConsentAdapterSetup::applyConsent(key.applicationId(), *repository);

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
    };

    // Waits for the viewer's answer when a linked SDK needs tracking authorisation; call it off the
    // main thread. Never fails: a provider that fails counts as an unknown answer.
    static void requestTrackingAuthorization();

    static StoredConsent readStoredConsent(ConsentRepository& repository, const std::string& primaryApplicationId);

    // Builds the adapters (the configurations' first, then the built-in ones they leave out) and
    // makes their manager the process-wide one.
    static std::shared_ptr<QVAdapterConsentManager> setUpAdapters(const IntegrationConfigs& integrationConfigs,
                                                                  const StoredConsent& stored);
    static std::shared_ptr<QVAdapterConsentManager> setUpAdapters(const IntegrationConfigs& integrationConfigs,
                                                                  const std::string& primaryApplicationId,
                                                                  ConsentRepository& repository);

    // The Google Consent Mode signals of the entry for `locale` (or for "all"); empty without a locale.
    static QVGCMSignalMap signalMap(const std::string& applicationId, const std::optional<std::string>& locale,
                                    const std::vector<GoogleConsentData>& gcm);

    // Packages the records enable; a later record for the same package wins.
    static std::set<QVSupportedPackage> enabledPackages(const ConsentRepository::ConsentList& records);

    // Applies the stored consent of `applicationId` to the process-wide manager, as at start-up.
    static void applyConsent(const std::string& applicationId, ConsentRepository& repository);
    static void applyConsent(QVConsentStatus status, const QVGCMSignalMap& signals,
                             const ConsentRepository::ConsentList& records);

    ConsentAdapterSetup() = delete;
};

} // namespace qvtv
