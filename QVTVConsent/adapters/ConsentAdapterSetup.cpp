#include "QVTVConsent/adapters/ConsentAdapterSetup.h"

#include <algorithm>
#include <exception>

#include "QVTVConsent/adapters/AdapterFactory.h"
#include "QVTVConsent/adapters/AirbridgeConsentAdapter.h"
#include "QVTVConsent/adapters/FirebaseAnalyticsConsentAdapter.h"
#include "QVTVConsent/adapters/QVIntegrationConfig.h"
#include "QVTVConsent/adapters/SingularConsentAdapter.h"
#include "QVTVConsent/adapters/TenjinConsentAdapter.h"
#include "QVTVConsent/core/Config.h"
#include "QVTVConsent/core/QVLogger.h"
#include "platform/TrackingAuthorization.h"

namespace qvtv {
namespace {

// These steps belong to the engine factory's initialisation run, so they log under its name.
constexpr const char* kTag = "QVCoreEngineFactory";

std::string trackingLine(platform::TrackingAuthorization::Status status) {
    switch (static_cast<int>(status)) {
    case 0: return "ATT Not Determined";
    case 1: return "ATT Restricted";
    case 2: return "ATT Denied";
    case 3: return "ATT Authorized";
    default: return "ATT Unknown";
    }
}

std::shared_ptr<BaseConsentAdapter> makeFirebaseAdapter(const ConsentAdapterSetup::StoredConsent& stored,
                                                        std::optional<bool> packageEnabled) {
    return std::make_shared<FirebaseAnalyticsConsentAdapter>(
        stored.consentType, FirebaseAnalyticsConsentAdapter::analyticsCollection(packageEnabled, stored.signals));
}

std::shared_ptr<BaseConsentAdapter> makeBuiltInAdapter(const QVSupportedPackage& pkg,
                                                       const ConsentAdapterSetup::StoredConsent& stored,
                                                       std::optional<bool> packageEnabled) {
    if (pkg == QVSupportedPackage::firebaseAnalytics()) return makeFirebaseAdapter(stored, packageEnabled);
    if (pkg == QVSupportedPackage::singular()) {
        return std::make_shared<SingularConsentAdapter>(std::nullopt, stored.consentType, stored.status, packageEnabled);
    }
    if (pkg == QVSupportedPackage::tenjin()) {
        return std::make_shared<TenjinConsentAdapter>(std::nullopt, stored.consentType, stored.status, packageEnabled);
    }
    return std::make_shared<AirbridgeConsentAdapter>(std::nullopt, stored.consentType, stored.status, packageEnabled);
}

bool containsRegion(const GoogleConsentData& entry, const std::string& region) {
    return std::ranges::find(entry.regions, region) != entry.regions.end();
}

std::string describe(const std::vector<GoogleConsentData>& gcm) {
    nlohmann::json array = nlohmann::json::array();
    for (const auto& entry : gcm) array.push_back(entry.toJson());
    return array.dump();
}

} // namespace

void ConsentAdapterSetup::requestTrackingAuthorization() {
    if (!QVSupportedPackage::requiresTrackingAuthorization()) return;
    QVLogger::i(kTag, "ATT requestingTrackingAuthorization");
    try {
        QVLogger::i(kTag, trackingLine(platform::TrackingAuthorization::requestAuthorization().get()));
    } catch (const std::exception&) {
        QVLogger::i(kTag, "ATT Unknown");
    }
}

ConsentAdapterSetup::StoredConsent ConsentAdapterSetup::readStoredConsent(ConsentRepository& repository,
                                                                          const std::string& primaryApplicationId) {
    StoredConsent stored;
    stored.consentType = repository.getConsentType(primaryApplicationId).data().value_or(QVConsentType::explicit_);
    stored.isGCMEnabled = repository.isGCMEnabled().data().value_or(false);
    stored.status = repository.getConsentStatus(primaryApplicationId).data().value_or(QVConsentStatus::pending);
    stored.records = repository.getCollectedConsentInfo(primaryApplicationId).data().value_or(
        ConsentRepository::ConsentList{});

    std::vector<GoogleConsentData> gcm;
    if (auto applied = repository.getAppliedGCMData().data()) {
        gcm.push_back(GoogleConsentData{applied->consentData, {applied->region}});
    } else {
        gcm = repository.getGCMData().data().value_or(std::vector<GoogleConsentData>{});
    }
    stored.signals = signalMap(primaryApplicationId, repository.getLocale(primaryApplicationId).data(), gcm);
    return stored;
}

std::shared_ptr<QVAdapterConsentManager> ConsentAdapterSetup::setUpAdapters(const IntegrationConfigs& integrationConfigs,
                                                                            const StoredConsent& stored) {
    AdapterFactory::clearRegisteredPackages();
    std::vector<std::shared_ptr<BaseConsentAdapter>> adapters;
    if (Config::blockingMode == QVBlockingMode::auto_) {
        // The switch the start's application gives each package, so it starts in that state.
        const auto enabled = enabledPackages(stored.records);
        auto startSwitch = [&](const QVSupportedPackage& pkg) {
            return QVAdapterConsentManager::decidePackageEnabled(pkg, stored.status, true, enabled.contains(pkg),
                                                                 stored.isGCMEnabled, stored.consentType);
        };
        if (stored.isGCMEnabled) {
            const auto& firebase = QVSupportedPackage::firebaseAnalytics();
            AdapterFactory::registerAdapter(makeFirebaseAdapter(stored, startSwitch(firebase)), adapters);
        }
        for (const auto& config : integrationConfigs) {
            if (!config) continue;
            AdapterFactory::registerAdapter(
                config->createAdapter(stored.consentType, stored.status, startSwitch(config->pkg())), adapters);
        }
        for (const auto& pkg : QVSupportedPackage::allValues()) {
            if (AdapterFactory::isRegistered(pkg)) continue;
            AdapterFactory::registerAdapter(makeBuiltInAdapter(pkg, stored, startSwitch(pkg)), adapters);
        }
    }
    auto manager = std::make_shared<QVAdapterConsentManager>(std::move(adapters), stored.isGCMEnabled,
                                                             stored.consentType);
    QVAdapterConsentManager::setShared(manager);
    return manager;
}

QVGCMSignalMap ConsentAdapterSetup::signalMap(const std::string& applicationId,
                                              const std::optional<std::string>& locale,
                                              const std::vector<GoogleConsentData>& gcm) {
    QVGCMSignalMap signals;
    if (!locale) {
        QVLogger::w(kTag, "applyConsent(" + applicationId + ") => localeResult is null");
        return signals;
    }
    if (gcm.empty()) return signals;
    auto entry = std::ranges::find_if(gcm, [&](const auto& e) { return containsRegion(e, *locale); });
    if (entry == gcm.end()) entry = std::ranges::find_if(gcm, [](const auto& e) { return containsRegion(e, "all"); });
    if (entry != gcm.end()) {
        for (const auto& config : entry->configs) {
            if (!config.signal) {
                QVLogger::w(kTag, "applyConsent(" + applicationId + ") => gcmData.config is null");
                continue;
            }
            signals[*config.signal] = config.status.value_or(QVGCMConsentSignalStatus::denied);
        }
    }
    QVLogger::i(kTag, "applyConsent(" + applicationId + ") => gcmData: " + describe(gcm));
    return signals;
}

std::set<QVSupportedPackage> ConsentAdapterSetup::enabledPackages(const ConsentRepository::ConsentList& records) {
    std::set<QVSupportedPackage> enabled;
    for (const auto& record : records) {
        for (const auto& package : record->subConsents()) {
            auto pkg = QVSupportedPackage::fromPackageId(package->packageId());
            if (!pkg) continue;
            if (package->isEnabled()) {
                enabled.insert(*pkg);
            } else {
                enabled.erase(*pkg);
            }
        }
    }
    return enabled;
}

void ConsentAdapterSetup::applyConsent(const StoredConsent& stored) {
    auto manager = QVAdapterConsentManager::shared();
    if (!manager) return;
    manager->apply(stored.status, true, stored.signals, enabledPackages(stored.records));
}

} // namespace qvtv
