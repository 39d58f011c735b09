#pragma once
// One package (an SDK or service inside the app) as a template describes it: its consent state
// (name, id and switch, through the QVPackageConsent accessors) plus the category, description,
// provider and policy link the settings screen shows. Screens flip the switch and `isExpanded`
// in place, so packages are shared objects.
//
//   auto pkg = qvtv::QVPackage::fromJson(element);   // Result<std::shared_ptr<QVPackage>>
//   if (pkg) (*pkg)->setEnabled(true);

#include <memory>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/QVCategoryType.h"
#include "QVTVConsent/model/QVPackageConsent.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

class QVPackage : public QVPackageConsent {
public:
    explicit QVPackage(QVPackageConsent consent) : QVPackageConsent(std::move(consent)) {}

    QVCategoryType category = QVCategoryType::unclassified;
    std::string description;
    std::string service;
    std::string pp;
    bool isExpanded = false;

    // Fails with the JSON error tagged "QVPackage" when `value` is no object or its "Category"
    // names no category.
    static Result<std::shared_ptr<QVPackage>> fromJson(const nlohmann::json& value);

    // The consent keys plus "Category", "Description", "Service" and "PrivacyPolicyUrl".
    nlohmann::json toJson() const override;
    // Its keys interleave with the consent keys, so it is written through toJson().
    void writeJson(JsonTextWriter& writer) const override { JsonSerialisable::writeJson(writer); }
};

} // namespace qvtv
