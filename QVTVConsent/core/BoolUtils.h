#pragma once
// Tolerant Boolean reading: templates send flags as JSON booleans or as text such as "True" or "yes".
//
//   bool on = qvtv::BoolUtils::getBool(qvtv::JsonUtils::find(obj, "IsEnabled"));           // false if missing
//   auto gcm = qvtv::BoolUtils::getOptionalBool(qvtv::JsonUtils::find(obj, "gcmEnabled"));

#include <optional>

#include <nlohmann/json.hpp>

namespace qvtv {

class BoolUtils {
public:
    // A boolean as is; text "true"/"yes" or "false"/"no" in any letter case (not trimmed);
    // anything else, numbers included, gives the default.
    static bool getBool(const nlohmann::json* value, bool defaultValue = false);

    // Like getBool, but only "true" and "false" are recognised in text.
    static std::optional<bool> getOptionalBool(const nlohmann::json* value,
                                               std::optional<bool> defaultValue = std::nullopt);
};

} // namespace qvtv
