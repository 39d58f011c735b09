#include "QVTVConsent/model/QVCategory.h"

#include <string_view>

#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/model/TemplateJson.h"

namespace qvtv {
namespace {

constexpr std::string_view kTag = "QVCategory";

} // namespace

Result<std::shared_ptr<QVCategory>> QVCategory::fromJson(const nlohmann::json& value) {
    if (!value.is_object()) return JsonUtils::invalidJsonError(kTag, &value);
    auto category = std::make_shared<QVCategory>();
    auto type = categoryTypeFromText(templatejson::text(value, "CategoryType"));
    if (!type) {
        QVLogger::e(kTag, "Invalid CategoryType");
        return JsonUtils::invalidJsonError(kTag, &value);
    }
    category->type = *type;
    category->name = templatejson::text(value, "CategoryName");
    category->description = templatejson::text(value, "CategoryText");
    category->isEnabled = templatejson::flag(value, "IsEnabled");
    const nlohmann::json* packages = JsonUtils::find(value, "Packages");
    if (!packages || !packages->is_array()) return category;
    for (const auto& element : *packages) {
        auto package = QVPackage::fromJson(element);
        if (!package) return package.error();
        category->packages.push_back(std::move(*package));
    }
    return category;
}

} // namespace qvtv
