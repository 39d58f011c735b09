#pragma once
// The viewer's consent for one compliance category: how much of it was accepted and the package
// consents inside it, in template order. The repository replaces `subConsents` in place.
//
//   auto cat = qvtv::QVConsentData::fromJson(json);      // Result<std::shared_ptr<QVConsentData>>
//   auto body = qvtv::QVConsentData::saveJson(QVCategoryType::analytics, packages, false);

#include <cstddef>
#include <memory>
#include <vector>

#include "QVTVConsent/core/JsonSerialisable.h"
#include "QVTVConsent/model/QVCategoryType.h"
#include "QVTVConsent/model/QVConsentGiven.h"
#include "QVTVConsent/model/QVPackageConsent.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

class QVConsentData : public JsonSerialisable {
public:
    using Packages = std::vector<std::shared_ptr<QVPackageConsent>>;

    QVConsentData(QVConsentGiven consentGiven, QVCategoryType category, Packages subConsents)
        : consentGiven_(consentGiven), category_(category), subConsents_(std::move(subConsents)) {}

    // Fails when the value is no object or "MobileComplianceCategory" names no category. A package
    // list with one bad element reads as empty; an unknown "ConsentGiven" reads as none.
    static Result<std::shared_ptr<QVConsentData>> fromJson(const nlohmann::json& value);

    // The category object a save sends: essential categories are "All" with every package on;
    // declining everything gives "None" with every package off; otherwise the packages' own flags
    // decide "All" (every one, or no packages), "Partial" or "None". `packages` holds pointers to
    // QVPackageConsent or to a type derived from it.
    template <class PackageRange>
    static nlohmann::json saveJson(QVCategoryType category, const PackageRange& packages, bool isRejectAll);

    // A record made the way a save makes it: the save object read back through fromJson.
    template <class PackageRange>
    static Result<std::shared_ptr<QVConsentData>> fromSave(QVCategoryType category, const PackageRange& packages,
                                                           bool isRejectAll) {
        return fromJson(saveJson(category, packages, isRejectAll));
    }

    QVConsentGiven consentGiven() const { return consentGiven_; }
    QVCategoryType category() const { return category_; }
    const Packages& subConsents() const { return subConsents_; }
    void setSubConsents(Packages subConsents) { subConsents_ = std::move(subConsents); }

    // "MobileComplianceCategory", "ConsentGiven", "MobilePackageConsents".
    nlohmann::json toJson() const override;
    void writeJson(JsonTextWriter& writer) const override;

private:
    static nlohmann::json savePackageJson(const QVPackageConsent& package, QVCategoryType category, bool isRejectAll);
    static QVConsentGiven saveConsentGiven(QVCategoryType category, std::size_t enabled, std::size_t total,
                                           bool isRejectAll);
    static nlohmann::json categoryJson(QVCategoryType category, QVConsentGiven consentGiven, nlohmann::json packages);

    QVConsentGiven consentGiven_;
    QVCategoryType category_;
    Packages subConsents_;
};

template <class PackageRange>
nlohmann::json QVConsentData::saveJson(QVCategoryType category, const PackageRange& packages, bool isRejectAll) {
    nlohmann::json list = nlohmann::json::array();
    std::size_t enabled = 0;
    std::size_t total = 0;
    for (const auto& package : packages) {
        const QVPackageConsent& consent = *package;
        ++total;
        if (consent.isEnabled()) ++enabled;
        list.push_back(savePackageJson(consent, category, isRejectAll));
    }
    return categoryJson(category, saveConsentGiven(category, enabled, total, isRejectAll), std::move(list));
}

} // namespace qvtv
