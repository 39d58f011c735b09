#pragma once
// A structured error from the consent service: its code and message, found under "ResponseStatus"
// or as the whole answer, or recognised from the bare no-templates text.
//
//   auto error = qvtv::QVApiError::make(&json["ResponseStatus"], "");
//   if (error) show(error->message);

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/data/QVErrorDetail.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

struct QVApiError {
    std::string errorCode;
    std::string message;
    std::vector<QVErrorDetail> errors;

    // The code the library gives the service's "no templates" answer.
    static constexpr std::string_view noTemplatesCode = "QV_NO_TEMPLATES";
    static constexpr std::string_view noTemplatesText = "No associated legal templates found";

    // From a JSON object with "ErrorCode" and "Message"; otherwise from the raw body when, without
    // its surrounding double quotes, it is exactly the no-templates text. Anything else is the
    // JSON error tagged "QVApiError". `value` is null when there is no parsed value.
    static Result<QVApiError> make(const nlohmann::json* value, std::string_view rawBody);

    // "QVApiError(errorCode: \"...\", message: \"...\", errors: [])", for log lines.
    std::string description() const;

    friend bool operator==(const QVApiError&, const QVApiError&) = default;
};

} // namespace qvtv
