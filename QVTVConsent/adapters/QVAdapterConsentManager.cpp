#include "QVTVConsent/adapters/QVAdapterConsentManager.h"

#include <mutex>

#include "QVTVConsent/adapters/AirbridgeConsentAdapter.h"
#include "QVTVConsent/adapters/FirebaseAnalyticsConsentAdapter.h"
#include "QVTVConsent/adapters/SingularConsentAdapter.h"
#include "QVTVConsent/adapters/TenjinConsentAdapter.h"
#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/model/QVCategory.h"
#include "platform/NoDestructor.h"

namespace qvtv {
namespace {

constexpr const char* kTag = "QVAdapterConsentManager";

struct SharedManager {
    std::mutex mutex;
    std::shared_ptr<QVAdapterConsentManager> manager;
};

SharedManager& sharedManager() {
    static platform::NoDestructor<SharedManager> s;
    return *s;
}

// Calls the adapter through the class its package calls for. No value means the package is none
// of the four; false also covers an adapter of the wrong class.
std::optional<bool> callAdapter(BaseConsentAdapter& adapter, std::optional<bool> packageEnabled,
                                const QVGCMSignalMap& signals) {
    const auto& pkg = adapter.pkg();
    if (pkg == QVSupportedPackage::firebaseAnalytics()) {
        auto* firebase = dynamic_cast<FirebaseAnalyticsConsentAdapter*>(&adapter);
        return firebase && firebase->applyConsent(packageEnabled, signals);
    }
    if (pkg == QVSupportedPackage::singular()) {
        auto* singular = dynamic_cast<SingularConsentAdapter*>(&adapter);
        return singular && singular->applyConsent(packageEnabled, true);
    }
    if (pkg == QVSupportedPackage::tenjin()) {
        auto* tenjin = dynamic_cast<TenjinConsentAdapter*>(&adapter);
        return tenjin && tenjin->applyConsent(packageEnabled, true);
    }
    if (pkg == QVSupportedPackage::airbridge()) {
        auto* airbridge = dynamic_cast<AirbridgeConsentAdapter*>(&adapter);
        return airbridge && airbridge->applyConsent(packageEnabled.value_or(false), true);
    }
    return std::nullopt;
}

} // namespace

QVAdapterConsentManager::QVAdapterConsentManager(std::vector<std::shared_ptr<BaseConsentAdapter>> adapters,
                                                 bool isGCMEnabled, QVConsentType consentType)
    : adapters_(std::move(adapters)), isGCMEnabled_(isGCMEnabled), consentType_(consentType) {}

std::optional<bool> QVAdapterConsentManager::decidePackageEnabled(const QVSupportedPackage& pkg,
                                                                  QVConsentStatus status, bool isInitialApplication,
                                                                  bool contains, bool isGCMEnabled,
                                                                  QVConsentType consentType) {
    const bool implicit = consentType == QVConsentType::implict;
    switch (status) {
    case QVConsentStatus::pending:
        if (pkg == QVSupportedPackage::firebaseAnalytics() && isGCMEnabled) {
            // The signals alone decide analytics collection until the viewer chooses.
            if (isInitialApplication) return std::nullopt;
            return contains;
        }
        return isInitialApplication && implicit;
    case QVConsentStatus::collected:
        return contains;
    case QVConsentStatus::recollectionRequired:
        // Until consent is collected again an SDK may run only where implicit consent allows it,
        // and never against the viewer's earlier refusal.
        return implicit && contains;
    }
    return false;
}

void QVAdapterConsentManager::apply(QVConsentStatus status, bool isInitialApplication, const QVGCMSignalMap& signals,
                                    const std::set<QVSupportedPackage>& enabledPackages) const {
    for (const auto& adapter : adapters_) {
        const auto& pkg = adapter->pkg();
        if (!pkg.packageClass()) {
            QVLogger::i(kTag, "Failed to apply consent to " + pkg.description() + ": SDK not available!");
            continue;
        }
        const auto packageEnabled = decidePackageEnabled(pkg, status, isInitialApplication,
                                                         enabledPackages.contains(pkg), isGCMEnabled_, consentType_);
        const auto result = callAdapter(*adapter, packageEnabled, signals);
        if (!result) QVLogger::i(kTag, "Unknown input type for $pkg: " + pkg.description());
        const bool declined = packageEnabled == false && !isInitialApplication;
        QVLogger::i(kTag, std::string("Consent") + (declined ? " (declined)" : "") + " " +
                              (result.value_or(false) ? "applied" : "failed") + " to " + pkg.description());
    }
}

void QVAdapterConsentManager::applyFromCategories(QVConsentStatus status, const QVGCMSignalMap& signals,
                                                  const std::vector<std::shared_ptr<QVCategory>>& categories) const {
    std::set<QVSupportedPackage> enabled;
    std::set<QVSupportedPackage> disabled;
    for (const auto& category : categories) {
        for (const auto& package : category->packages) {
            auto pkg = QVSupportedPackage::fromPackageId(package->packageId());
            if (!pkg) continue;
            (package->isEnabled() ? enabled : disabled).insert(*pkg);
        }
    }
    std::erase_if(enabled, [&](const QVSupportedPackage& p) { return disabled.contains(p); });
    apply(status, false, signals, enabled);
}

void QVAdapterConsentManager::clearSession() const {
    for (const auto& adapter : adapters_) {
        if (!adapter->pkg().packageClass()) {
            QVLogger::i(kTag, "Failed to clear session for " + adapter->pkg().description() + ": SDK not available!");
            continue;
        }
        adapter->clearSession();
    }
}

std::shared_ptr<QVAdapterConsentManager> QVAdapterConsentManager::shared() {
    auto& s = sharedManager();
    std::lock_guard lock(s.mutex);
    return s.manager;
}

void QVAdapterConsentManager::setShared(std::shared_ptr<QVAdapterConsentManager> manager) {
    auto& s = sharedManager();
    std::lock_guard lock(s.mutex);
    s.manager = std::move(manager);
}

} // namespace qvtv
