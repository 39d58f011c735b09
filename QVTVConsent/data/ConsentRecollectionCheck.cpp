#include "QVTVConsent/data/ConsentRecollectionCheck.h"

#include <map>
#include <optional>

#include "QVTVConsent/data/QVConsentExpiryEvaluator.h"
#include "QVTVConsent/events/ConsentEventPoster.h"
#include "QVTVConsent/model/QVPackage.h"

namespace qvtv {
namespace {

using PackageTable = std::map<std::string, std::shared_ptr<QVPackage>>;  // ordered by package id

// The sorted package ids; two tables describe the same structure exactly when these are equal.
std::string fingerprint(const PackageTable& table) {
    std::string text;
    for (const auto& [packageId, package] : table) text += "|" + packageId;
    return text;
}

} // namespace

bool ConsentRecollectionCheck::run(Prefs& prefs, const std::string& applicationId, QVDynamic& document,
                                   const QVConsentBannerData& banner) {
    PackageTable templatePackages;
    for (const auto& category : banner.categories) {
        for (const auto& package : category->packages) templatePackages[package->packageId()] = package;
    }

    // Keep only consents the template still offers, moving the stored choice onto the template's package.
    PackageTable kept;
    for (const auto& category : document.subConsents()) {
        QVConsentData::Packages trimmed;
        for (const auto& consent : category->subConsents()) {
            const auto match = templatePackages.find(consent->packageId());
            if (match == templatePackages.end()) continue;
            match->second->setEnabled(consent->isEnabled());
            trimmed.push_back(match->second);
            kept[match->first] = match->second;
        }
        category->setSubConsents(std::move(trimmed));
    }
    // Packages that left the template do not count: only ones the viewer never saw do.
    const bool structureChanged = fingerprint(templatePackages) != fingerprint(kept);

    const auto status = prefs.getConsentStatus(applicationId);
    std::optional<QVConsentRecollectionReason> reason;
    if (status != QVConsentStatus::pending) {
        if (structureChanged) {
            reason = QVConsentRecollectionReason::structureChanged;
        } else if (banner.doNotStoreConsent != true &&
                   QVConsentExpiryEvaluator::isConsentExpired(prefs.getLastConsentedAt(applicationId),
                                                              banner.dataRetentionPeriodInMonths)) {
            reason = QVConsentRecollectionReason::expired;
            document.setSubConsents({});
        }
    }
    prefs.saveRecollectionReason(applicationId, reason);
    if (reason) prefs.saveConsentStatus(applicationId, QVConsentStatus::recollectionRequired);
    prefs.saveConsentRecord(applicationId, document);
    return reason.has_value();
}

void ConsentRecollectionCheck::announce(QVConsentEventManager& events, const std::string& applicationId,
                                        const QVDynamic& document) {
    ConsentEventPoster::notify(events, applicationId, document.clientId(), std::nullopt,
                               QVConsentStatus::recollectionRequired,
                               QVDataMessage<QVConsentEvent::Records>(200, "", std::nullopt, document.subConsents()));
}

} // namespace qvtv
