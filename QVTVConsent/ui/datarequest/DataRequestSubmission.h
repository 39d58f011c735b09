#pragma once
// Sending the data-request form to the consent service: the request body from the form's
// current values (exactly as typed), the POST itself with its outcome as a QVMessage, and the
// form's reset after a request went through. The preference center's Submit action uses it.
//
//   auto body = qvtv::DataRequestSubmission::makeBody(*form, applicationId);
//   qvtv::DataRequestSubmission::send(body).then(main, [](const qvtv::QVMessage& m) { show(m); });

#include "QVTVConsent/core/QVMessage.h"
#include "QVTVConsent/model/QVDataRequestFormData.h"
#include "platform/Task.h"

#include <nlohmann/json.hpp>

#include <string>

namespace qvtv {

class DataRequestSubmission {
public:
    // The raw value of the chosen option's request type, or "" when no option is chosen or its
    // label is not in the form's map.
    static std::string requestType(const QVDataRequestFormData& form);
    static nlohmann::json makeBody(const QVDataRequestFormData& form, const std::string& applicationId);

    // Posts `body` off the main thread. 200 with the service's message (an empty answer is 200
    // with an empty text), 409 with the service error's message, 500 with the failure text, or
    // the repository's absence (code 500, its description) before anything is sent.
    static platform::Task<QVMessage> send(nlohmann::json body);

    // Empties the texts and chooses the first request type again.
    static void reset(QVDataRequestFormData& form);
};

} // namespace qvtv
