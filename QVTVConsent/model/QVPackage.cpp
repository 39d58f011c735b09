#include "QVTVConsent/model/QVPackage.h"

#include <string_view>

#include "QVTVConsent/model/TemplateJson.h"

namespace qvtv {
namespace {

constexpr std::string_view kTag = "QVPackage";

} // namespace

Result<std::shared_ptr<QVPackage>> QVPackage::fromJson(const nlohmann::json& value) {
    if (!value.is_object()) return JsonUtils::invalidJsonError(kTag, &value);
    auto category = categoryTypeFromText(templatejson::text(value, "Category"));
    if (!category) return JsonUtils::invalidJsonError(kTag, &value);
    auto consent = QVPackageConsent::fromJson(value);
    if (!consent) return consent.error();
    auto package = std::make_shared<QVPackage>(**consent);
    package->category = *category;
    package->description = templatejson::text(value, "Description");
    package->service = templatejson::text(value, "Service");
    package->pp = templatejson::text(value, "PrivacyPolicyUrl");
    return package;
}

nlohmann::json QVPackage::toJson() const {
    nlohmann::json json = QVPackageConsent::toJson();
    json["Category"] = rawValue(category);
    json["Description"] = description;
    json["Service"] = service;
    json["PrivacyPolicyUrl"] = pp;
    return json;
}

} // namespace qvtv
