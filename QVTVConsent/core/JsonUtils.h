#pragma once
// The JSON error that every record and template parser fails with, key lookup that tells a missing
// key from JSON null, and the pretty-printed writer used for stored documents and request bodies.
//
//   const nlohmann::json* v = qvtv::JsonUtils::find(obj, "location");   // nullptr when missing
//   if (!obj.is_object()) return qvtv::JsonUtils::invalidJsonError("QVDynamic", &obj);
//   auto text = qvtv::JsonUtils::jsonString(record, "QVDynamic");

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/core/JsonSerialisable.h"
#include "QVTVConsent/core/QVError.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

class JsonUtils {
public:
    // The member `key` of `object`, or nullptr when the key is missing or `object` is no object.
    static const nlohmann::json* find(const nlohmann::json& object, std::string_view key);

    // The text form of a value in messages: text as is, other values as compact JSON,
    // "nil" for an absent value. Never throws, whatever bytes the text holds.
    static std::string describe(const nlohmann::json* value);

    // Logs "parse(<value>)" under `tag` at error level and returns the error with domain
    // "Invalid JSON (<value>)", code 500 and no description.
    static QVError invalidJsonError(std::string_view tag, const nlohmann::json* value);

    // An error whose localized description is `message`.
    static QVError makeError(std::string_view domain, std::int64_t code, std::string_view message);

    // Pretty-printed UTF-8 text of `value`. Text that is not valid UTF-8 gives the JSON error
    // tagged `debugTag` instead of throwing.
    static Result<std::string> jsonString(const nlohmann::json& value, std::string_view debugTag);
    // The same text for a record, written without building its value first.
    static Result<std::string> jsonString(const JsonSerialisable& record, std::string_view debugTag);

    // Reads every element of a JSON array with `parse` (element -> Result<E>). A missing value or
    // one that is not an array gives an empty list; the first failing element's error is passed on.
    template <class Parse>
    static auto parseList(const nlohmann::json* value, Parse&& parse)
        -> Result<std::vector<typename std::invoke_result_t<Parse&, const nlohmann::json&>::value_type>>;

    // Like parseList, but a failing element empties the whole list instead of failing.
    template <class Parse>
    static auto parseListOrEmpty(const nlohmann::json* value, Parse&& parse) {
        auto list = parseList(value, parse);
        return list ? std::move(list).value() : typename decltype(list)::value_type{};
    }
};

template <class Parse>
auto JsonUtils::parseList(const nlohmann::json* value, Parse&& parse)
    -> Result<std::vector<typename std::invoke_result_t<Parse&, const nlohmann::json&>::value_type>> {
    std::vector<typename std::invoke_result_t<Parse&, const nlohmann::json&>::value_type> list;
    if (!value || !value->is_array()) return list;
    list.reserve(value->size());
    for (const nlohmann::json& element : *value) {
        auto parsed = parse(element);
        if (!parsed) return parsed.error();
        list.push_back(std::move(parsed).value());
    }
    return list;
}

} // namespace qvtv
