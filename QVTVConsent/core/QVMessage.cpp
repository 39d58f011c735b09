#include "QVTVConsent/core/QVMessage.h"

#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/core/NumUtils.h"
#include "QVTVConsent/core/StringUtils.h"

namespace qvtv {

Result<QVMessage> QVMessage::fromDictionary(const nlohmann::json& value) {
    if (!value.is_object()) return JsonUtils::invalidJsonError("QVMessage", &value);
    const nlohmann::json* error = JsonUtils::find(value, "error");
    // The dictionary form writes a missing error as null, so null must read back as no error.
    if (error && error->is_null()) error = nullptr;
    return QVMessage(NumUtils::getInt(JsonUtils::find(value, "code"), 0),
                     StringUtils::getString(JsonUtils::find(value, "msg"), ""),
                     StringUtils::getOptionalString(error));
}

nlohmann::json QVMessage::toDictionary() const {
    nlohmann::json dictionary = nlohmann::json::object();
    dictionary["code"] = code_;
    dictionary["msg"] = msg_;
    dictionary["error"] = error_ ? nlohmann::json(*error_) : nlohmann::json(nullptr);
    return dictionary;
}

std::string QVMessage::description() const {
    return toDictionary().dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace qvtv
