#include "QVTVConsent/model/QVPackageConsent.h"

#include "QVTVConsent/model/BoolUtils.h"
#include "QVTVConsent/model/JsonUtils.h"
#include "QVTVConsent/model/StringUtils.h"

namespace qvtv {

Result<std::shared_ptr<QVPackageConsent>> QVPackageConsent::fromJson(const nlohmann::json& value) {
    if (!value.is_object()) return JsonUtils::invalidJsonError("QVPackageConsent", &value);
    std::optional<std::string> name = StringUtils::getOptionalString(JsonUtils::find(value, "PackageName"));
    if (!name) name = StringUtils::getString(JsonUtils::find(value, "Name"));
    return std::make_shared<QVPackageConsent>(std::move(*name), StringUtils::getString(JsonUtils::find(value, "PackageId")),
                                              BoolUtils::getBool(JsonUtils::find(value, "IsEnabled")));
}

nlohmann::json QVPackageConsent::toJson() const {
    return {{"PackageName", packageName_}, {"Name", packageName_}, {"PackageId", packageId_}, {"IsEnabled", isEnabled_}};
}

} // namespace qvtv
