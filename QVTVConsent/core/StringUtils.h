#pragma once
// Tolerant text reading from loosely typed JSON, plus the trimming and case helpers the parsers
// share. Accessors never fail: a value of the wrong kind gives the default.
//
//   auto title = qvtv::StringUtils::getString(qvtv::JsonUtils::find(obj, "Title"));       // "" if missing
//   auto name = qvtv::StringUtils::getOptionalString(qvtv::JsonUtils::find(obj, "Name"));

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace qvtv {

class StringUtils {
public:
    // Text values give the text, anything else (a number too) the default; always trimmed.
    // `value` is null when the key was missing.
    static std::string getString(const nlohmann::json* value, std::string_view defaultValue = "");

    // Absent gives nothing; text gives the trimmed text; any other value gives the trimmed default,
    // or, without a default, the trimmed text description of the value (a number's decimal text).
    static std::optional<std::string> getOptionalString(const nlohmann::json* value,
                                                        std::optional<std::string_view> defaultValue = std::nullopt);

    // Removes white space and line breaks (Unicode separators included) at both ends.
    static std::string trim(std::string_view text);

    // ASCII letter case only: every key and code the service compares is ASCII.
    static bool equalsIgnoreCase(std::string_view a, std::string_view b);
    static std::string toLower(std::string_view text);
    static std::string toUpper(std::string_view text);
};

} // namespace qvtv
