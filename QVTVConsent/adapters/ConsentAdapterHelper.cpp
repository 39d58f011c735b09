#include "QVTVConsent/adapters/ConsentAdapterHelper.h"

#include <set>

#include "QVTVConsent/adapters/QVAdapterConsentManager.h"
#include "QVTVConsent/adapters/QVSupportedPackage.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/model/QVCategory.h"

namespace qvtv {
namespace {

// The stored configuration of the primary application id; throws before any initialisation.
std::vector<GoogleConsentData> storedGCMData() {
    return DataFactory::repository()->getGCMData().data().value_or(std::vector<GoogleConsentData>{});
}

std::vector<QVGCMConsentSignal> signalsOf(QVCategoryType category) {
    switch (category) {
    case QVCategoryType::advertising:
        return {QVGCMConsentSignal::adStorage, QVGCMConsentSignal::adUserData, QVGCMConsentSignal::adPersonalization};
    case QVCategoryType::analytics:
        return {QVGCMConsentSignal::analyticsStorage};
    default:
        return {};
    }
}

void applyThroughManager(QVConsentStatus status, const QVGCMSignalMap& signals,
                         const ConsentAdapterHelper::Categories& categories) {
    if (auto manager = QVAdapterConsentManager::shared()) manager->applyFromCategories(status, signals, categories);
}

} // namespace

QVGCMSignalMap ConsentAdapterHelper::uniformSignals(const std::vector<GoogleConsentData>& gcm,
                                                    QVGCMConsentSignalStatus value) {
    QVGCMSignalMap signals;
    for (const auto& entry : gcm) {
        for (const auto& config : entry.configs) {
            if (config.signal) signals[*config.signal] = value;
        }
    }
    return signals;
}

QVGCMSignalMap ConsentAdapterHelper::customSignals(const std::vector<GoogleConsentData>& gcm,
                                                   const Categories& categories) {
    std::set<QVGCMConsentSignal> granted;
    std::set<QVGCMConsentSignal> denied;
    for (const auto& category : categories) {
        for (const auto& package : category->packages) {
            auto pkg = QVSupportedPackage::fromPackageId(package->packageId());
            if (!pkg) {
                QVLogger::i("QVConsentAdapterHelper", "Unsupported package: " + package->packageId());
                continue;
            }
            auto& target = package->isEnabled() ? granted : denied;
            for (auto signal : signalsOf(pkg->categoryType)) target.insert(signal);
        }
    }

    QVGCMSignalMap signals;
    for (const auto& entry : gcm) {
        for (const auto& config : entry.configs) {
            if (config.signal) signals[*config.signal] = config.status.value_or(QVGCMConsentSignalStatus::denied);
        }
    }
    for (auto signal : granted) signals[signal] = QVGCMConsentSignalStatus::granted;
    for (auto signal : denied) signals[signal] = QVGCMConsentSignalStatus::denied;
    return signals;
}

void ConsentAdapterHelper::acceptAll(QVConsentStatus status, const Categories& categories) {
    applyThroughManager(status, uniformSignals(storedGCMData(), QVGCMConsentSignalStatus::granted), categories);
}

void ConsentAdapterHelper::denyAll(QVConsentStatus status, const Categories& categories) {
    applyThroughManager(status, uniformSignals(storedGCMData(), QVGCMConsentSignalStatus::denied), categories);
}

void ConsentAdapterHelper::applyConsent(QVConsentStatus status, const Categories& categories) {
    applyThroughManager(status, customSignals(storedGCMData(), categories), categories);
}

} // namespace qvtv
