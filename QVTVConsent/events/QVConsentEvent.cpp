#include "QVTVConsent/events/QVConsentEvent.h"

namespace qvtv {

QVConsentEvent::QVConsentEvent(std::int64_t code, std::string applicationId, std::string clientId,
                               std::optional<QVUserConsentActionType> type, Records data,
                               QVConsentStatus consentStatus)
    : code_(code),
      applicationId_(std::move(applicationId)),
      clientId_(std::move(clientId)),
      type_(type),
      data_(std::move(data)),
      consentStatus_(consentStatus) {}

nlohmann::json QVConsentEvent::toJson() const {
    nlohmann::json records = nlohmann::json::array();
    for (const auto& record : data_) {
        if (record) records.push_back(record->toJson());
    }
    return {
        {"code", code_},
        {"applicationId", applicationId_},
        {"clientId", clientId_},
        {"type", type_ ? nlohmann::json(std::string(rawValue(*type_))) : nlohmann::json(nullptr)},
        {"consentStatus", std::string(rawValue(consentStatus_))},
        {"data", std::move(records)},
    };
}

std::string QVConsentEvent::description() const { return toJson().dump(); }

} // namespace qvtv
