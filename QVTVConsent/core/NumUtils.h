#pragma once
// Tolerant integer reading: numbers may arrive as JSON integers or as decimal text.
// Text is read strictly: optional sign, digits only, no blanks, within the signed 64-bit range.
//
//   auto months = qvtv::NumUtils::getInt64(qvtv::JsonUtils::find(obj, "dataRetention"));  // optional
//   auto stamp = qvtv::NumUtils::parseInt64("1700000000000");

#include <cstdint>
#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

namespace qvtv {

class NumUtils {
public:
    // An integer JSON number (a float only when it is whole and in range), or strict decimal text;
    // anything else, booleans included, gives the default.
    static std::int64_t getInt(const nlohmann::json* value, std::int64_t defaultValue = 0);

    // The same rules with an optional default.
    static std::optional<std::int64_t> getInt64(const nlohmann::json* value,
                                                std::optional<std::int64_t> defaultValue = std::nullopt);

    // Strict decimal reading of text: "+12" and "-0" read, " 12", "12.0", "" and overflow do not.
    static std::optional<std::int64_t> parseInt64(std::string_view text);
};

} // namespace qvtv
