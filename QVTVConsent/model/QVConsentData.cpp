#include "QVTVConsent/model/QVConsentData.h"

#include "QVTVConsent/core/JsonTextWriter.h"
#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/core/StringUtils.h"

namespace qvtv {

Result<std::shared_ptr<QVConsentData>> QVConsentData::fromJson(const nlohmann::json& value) {
    if (!value.is_object()) return JsonUtils::invalidJsonError("QVConsentData", &value);
    auto category = categoryTypeFromText(StringUtils::getString(JsonUtils::find(value, "MobileComplianceCategory")));
    if (!category) return JsonUtils::invalidJsonError("QVConsentData", &value);
    auto consentGiven = fromRawValue<QVConsentGiven>(StringUtils::getString(JsonUtils::find(value, "ConsentGiven")));
    return std::make_shared<QVConsentData>(
        consentGiven.value_or(QVConsentGiven::none), *category,
        JsonUtils::parseListOrEmpty(JsonUtils::find(value, "MobilePackageConsents"), QVPackageConsent::fromJson));
}

nlohmann::json QVConsentData::toJson() const {
    nlohmann::json packages(nlohmann::json::value_t::array);
    auto& list = packages.get_ref<nlohmann::json::array_t&>();
    list.reserve(subConsents_.size());
    for (const auto& package : subConsents_) list.push_back(package->toJson());
    return categoryJson(category_, consentGiven_, std::move(packages));
}

void QVConsentData::writeJson(JsonTextWriter& writer) const {
    writer.beginObject();
    writer.key("ConsentGiven");
    writer.string(rawValue(consentGiven_));
    writer.key("MobileComplianceCategory");
    writer.string(rawValue(category_));
    writer.key("MobilePackageConsents");
    writer.beginArray();
    for (const auto& package : subConsents_) package->writeJson(writer);
    writer.endArray();
    writer.endObject();
}

nlohmann::json QVConsentData::savePackageJson(const QVPackageConsent& package, QVCategoryType category,
                                              bool isRejectAll) {
    bool isEnabled = category == QVCategoryType::essential || (!isRejectAll && package.isEnabled());
    return {{"PackageName", package.packageName()}, {"PackageId", package.packageId()}, {"IsEnabled", isEnabled}};
}

QVConsentGiven QVConsentData::saveConsentGiven(QVCategoryType category, std::size_t enabled, std::size_t total,
                                               bool isRejectAll) {
    if (category == QVCategoryType::essential) return QVConsentGiven::all;
    if (isRejectAll) return QVConsentGiven::none;
    if (enabled == total) return QVConsentGiven::all;
    return enabled > 0 ? QVConsentGiven::partial : QVConsentGiven::none;
}

nlohmann::json QVConsentData::categoryJson(QVCategoryType category, QVConsentGiven consentGiven,
                                           nlohmann::json packages) {
    nlohmann::json object(nlohmann::json::value_t::object);
    auto& members = object.get_ref<nlohmann::json::object_t&>();
    members.emplace_hint(members.end(), "ConsentGiven", rawValue(consentGiven));
    members.emplace_hint(members.end(), "MobileComplianceCategory", rawValue(category));
    members.emplace_hint(members.end(), "MobilePackageConsents", std::move(packages));
    return object;
}

} // namespace qvtv
