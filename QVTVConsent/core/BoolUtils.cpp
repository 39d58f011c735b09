#include "QVTVConsent/core/BoolUtils.h"

#include "QVTVConsent/core/StringUtils.h"

namespace qvtv {

bool BoolUtils::getBool(const nlohmann::json* value, bool defaultValue) {
    if (!value) return defaultValue;
    if (value->is_boolean()) return value->get<bool>();
    if (!value->is_string()) return defaultValue;
    const std::string text = StringUtils::toLower(value->get_ref<const std::string&>());
    if (text == "true" || text == "yes") return true;
    if (text == "false" || text == "no") return false;
    return defaultValue;
}

std::optional<bool> BoolUtils::getOptionalBool(const nlohmann::json* value, std::optional<bool> defaultValue) {
    if (!value) return defaultValue;
    if (value->is_boolean()) return value->get<bool>();
    if (!value->is_string()) return defaultValue;
    const std::string text = StringUtils::toLower(value->get_ref<const std::string&>());
    if (text == "true") return true;
    if (text == "false") return false;
    return defaultValue;
}

} // namespace qvtv
