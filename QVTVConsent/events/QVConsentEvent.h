#pragma once
// What the host learns when consent changes: which application and device, what the viewer did
// (nothing when the library itself asks for consent again), the resulting status and records.
// Delegates and observers receive it inside a QVDataMessage.
//
//   void onConsentAction(const qvtv::QVDataMessage<qvtv::QVConsentEvent>& m) override {
//       if (m.data()->consentStatus() == qvtv::QVConsentStatus::recollectionRequired) showBanner();
//   }

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/core/JsonSerialisable.h"
#include "QVTVConsent/model/QVConsentData.h"
#include "QVTVConsent/model/QVConsentStatus.h"
#include "QVTVConsent/model/QVUserConsentActionType.h"

namespace qvtv {

class QVConsentEvent : public JsonSerialisable {
public:
    using Records = std::vector<std::shared_ptr<QVConsentData>>;

    QVConsentEvent(std::int64_t code, std::string applicationId, std::string clientId,
                   std::optional<QVUserConsentActionType> type, Records data, QVConsentStatus consentStatus);

    std::int64_t code() const { return code_; }
    const std::string& applicationId() const { return applicationId_; }
    const std::string& clientId() const { return clientId_; }
    const std::optional<QVUserConsentActionType>& type() const { return type_; }
    const Records& data() const { return data_; }
    QVConsentStatus consentStatus() const { return consentStatus_; }

    // Keys "code", "applicationId", "clientId", "type" (raw value, or null without an action),
    // "consentStatus" (raw value) and "data" (the records' own dictionaries).
    nlohmann::json toJson() const override;
    std::string description() const;

private:
    std::int64_t code_;
    std::string applicationId_;
    std::string clientId_;
    std::optional<QVUserConsentActionType> type_;
    Records data_;
    QVConsentStatus consentStatus_;
};

} // namespace qvtv
