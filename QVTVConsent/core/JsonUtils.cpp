#include "QVTVConsent/core/JsonUtils.h"

#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/core/JsonTextWriter.h"

namespace qvtv {

const nlohmann::json* JsonUtils::find(const nlohmann::json& object, std::string_view key) {
    if (!object.is_object()) return nullptr;
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

std::string JsonUtils::describe(const nlohmann::json* value) {
    if (!value) return "nil";
    if (value->is_string()) return value->get_ref<const std::string&>();
    return value->dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

QVError JsonUtils::invalidJsonError(std::string_view tag, const nlohmann::json* value) {
    const std::string text = describe(value);
    QVLogger::e(tag, "parse(" + text + ")");
    return QVError{"Invalid JSON (" + text + ")", 500, std::nullopt};
}

QVError JsonUtils::makeError(std::string_view domain, std::int64_t code, std::string_view message) {
    return QVError{std::string(domain), code, std::string(message)};
}

Result<std::string> JsonUtils::jsonString(const nlohmann::json& value, std::string_view debugTag) {
    std::string text;
    // Text that is not valid UTF-8 is refused rather than stored garbled.
    if (!JsonTextWriter::write(value, text)) return invalidJsonError(debugTag, &value);
    return text;
}

Result<std::string> JsonUtils::jsonString(const JsonSerialisable& record, std::string_view debugTag) {
    std::string text;
    JsonTextWriter writer(text);
    record.writeJson(writer);
    if (writer.ok()) return text;
    const nlohmann::json value = record.toJson();
    return invalidJsonError(debugTag, &value);
}

} // namespace qvtv
