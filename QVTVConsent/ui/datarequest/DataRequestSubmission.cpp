#include "QVTVConsent/ui/datarequest/DataRequestSubmission.h"

#include "QVTVConsent/data/ConsentApi.h"
#include "QVTVConsent/data/ServiceSettings.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/data/DataFactoryError.h"

#include <algorithm>

namespace qvtv {

namespace {

const std::string& valueOf(const std::shared_ptr<QVTextInputFieldData>& field) {
    static const std::string none;
    return field ? field->value : none;
}

} // namespace

std::string DataRequestSubmission::requestType(const QVDataRequestFormData& form) {
    if (!form.requestType) return "";
    const auto& options = form.requestType->value;
    auto chosen = std::find_if(options.begin(), options.end(), [](const auto& option) { return option && option->value; });
    if (chosen == options.end()) return "";
    auto type = form.requestLabelTypeMap.find((*chosen)->label);
    if (type == form.requestLabelTypeMap.end()) return "";
    return std::string(rawValue(type->second));
}

nlohmann::json DataRequestSubmission::makeBody(const QVDataRequestFormData& form, const std::string& applicationId) {
    return {
        {"MobileAppId", applicationId},
        {"VerificationEnabled", form.verificationEnabled},
        {"VerificationEmail", form.verificationEmail},
        {"Name", valueOf(form.name)},
        {"Email", valueOf(form.email)},
        {"Address", valueOf(form.address)},
        {"Phone", valueOf(form.phone)},
        {"Message", valueOf(form.message)},
        {"Type", requestType(form)},
    };
}

platform::Task<QVMessage> DataRequestSubmission::send(nlohmann::json body) {
    return platform::Task<QVMessage>::run(platform::DispatchQueue::global(), [body = std::move(body)] {
        try {
            DataFactory::repository();
        } catch (const DataFactoryError& error) {
            return QVMessage(500, error.what());
        }
        // The same client, over the library's shared session, that the repository uses.
        const ApiResult<QVMessage> result = ConsentApi().call<QVMessage>(
            HttpMethod::post, ServiceSettings::baseUrl(), "mobile/datarequest/submit", {}, {}, body, true);
        if (result.isSuccess()) return result.value();
        if (result.isApiError()) return QVMessage(409, result.apiError().message);
        return QVMessage(500, result.failureMessage());
    });
}

void DataRequestSubmission::reset(QVDataRequestFormData& form) {
    for (const auto& field : {form.name, form.email, form.address, form.phone, form.message}) {
        if (field) field->value.clear();
    }
    if (!form.requestType) return;
    auto& options = form.requestType->value;
    for (const auto& option : options) {
        if (option) option->value = false;
    }
    if (!options.empty() && options.front()) options.front()->value = true;
}

} // namespace qvtv
