#pragma once
// Shorthands the template parsers share for reading one key of a JSON object with the tolerant
// accessors: texts default to "", flags to false, and sub-objects are taken only when they are
// JSON objects. Internal to the template models.

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "QVTVConsent/core/BoolUtils.h"
#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/core/StringUtils.h"

namespace qvtv::templatejson {

inline std::string text(const nlohmann::json& object, std::string_view key) {
    return StringUtils::getString(JsonUtils::find(object, key));
}

inline bool flag(const nlohmann::json& object, std::string_view key) {
    return BoolUtils::getBool(JsonUtils::find(object, key));
}

// The member when it is a JSON object, otherwise nullptr.
inline const nlohmann::json* object(const nlohmann::json& parent, std::string_view key) {
    const nlohmann::json* value = JsonUtils::find(parent, key);
    return value && value->is_object() ? value : nullptr;
}

} // namespace qvtv::templatejson
