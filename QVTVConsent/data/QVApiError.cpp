#include "QVTVConsent/data/QVApiError.h"

#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/core/StringUtils.h"

namespace qvtv {

Result<QVApiError> QVApiError::make(const nlohmann::json* value, std::string_view rawBody) {
    // Blank space around the quotes (a trailing line break) does not make it another text.
    std::string trimmed = StringUtils::trim(rawBody);
    auto first = trimmed.find_first_not_of('"');
    trimmed = first == std::string::npos ? std::string() : trimmed.substr(first, trimmed.find_last_not_of('"') - first + 1);
    if (value && value->is_object()) {
        return QVApiError{StringUtils::getString(JsonUtils::find(*value, "ErrorCode")),
                          StringUtils::getString(JsonUtils::find(*value, "Message")), {}};
    }
    if (trimmed == noTemplatesText) return QVApiError{std::string(noTemplatesCode), trimmed, {}};
    return JsonUtils::invalidJsonError("QVApiError", value);
}

std::string QVApiError::description() const {
    return "QVApiError(errorCode: \"" + errorCode + "\", message: \"" + message + "\", errors: [])";
}

} // namespace qvtv
