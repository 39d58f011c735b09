#include "QVTVConsent/model/QVPackageConsent.h"

#include "QVTVConsent/core/BoolUtils.h"
#include "QVTVConsent/core/JsonTextWriter.h"
#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/core/StringUtils.h"

namespace qvtv {

Result<std::shared_ptr<QVPackageConsent>> QVPackageConsent::fromJson(const nlohmann::json& value) {
    if (!value.is_object()) return JsonUtils::invalidJsonError("QVPackageConsent", &value);
    std::optional<std::string> name = StringUtils::getOptionalString(JsonUtils::find(value, "PackageName"));
    if (!name) name = StringUtils::getString(JsonUtils::find(value, "Name"));
    return std::make_shared<QVPackageConsent>(std::move(*name), StringUtils::getString(JsonUtils::find(value, "PackageId")),
                                              BoolUtils::getBool(JsonUtils::find(value, "IsEnabled")));
}

nlohmann::json QVPackageConsent::toJson() const {
    // Keys in sorted order with end hints: each insertion is then constant time. A document
    // holds hundreds of packages and is written on every save.
    nlohmann::json object(nlohmann::json::value_t::object);
    auto& members = object.get_ref<nlohmann::json::object_t&>();
    members.emplace_hint(members.end(), "IsEnabled", isEnabled_);
    members.emplace_hint(members.end(), "Name", packageName_);
    members.emplace_hint(members.end(), "PackageId", packageId_);
    members.emplace_hint(members.end(), "PackageName", packageName_);
    return object;
}

void QVPackageConsent::writeJson(JsonTextWriter& writer) const {
    writer.beginObject();
    writer.key("IsEnabled");
    writer.boolean(isEnabled_);
    writer.key("Name");
    writer.string(packageName_);
    writer.key("PackageId");
    writer.string(packageId_);
    writer.key("PackageName");
    writer.string(packageName_);
    writer.endObject();
}

} // namespace qvtv
