#pragma once
// The consent document of one application on this device, as the service returns it and as it is
// stored: locale, client id, the recording flag and one QVConsentData per category.
//
//   auto doc = qvtv::QVDynamic::fromJson(nlohmann::json::parse(text));
//   if (doc) for (auto& category : (*doc)->subConsents()) show(category->category());

#include <memory>
#include <string>
#include <vector>

#include "QVTVConsent/core/JsonSerialisable.h"
#include "QVTVConsent/model/QVConsentData.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

class QVDynamic : public JsonSerialisable {
public:
    using Categories = std::vector<std::shared_ptr<QVConsentData>>;

    QVDynamic(std::string locale, std::string clientId, Categories subConsents, bool isConsentRecordingAllowed)
        : locale_(std::move(locale)), clientId_(std::move(clientId)), subConsents_(std::move(subConsents)),
          isConsentRecordingAllowed_(isConsentRecordingAllowed) {}

    // Fails only for a value that is no object. Categories come from "MobilePackageConsents", or
    // "subConsents" when that is no list of objects; one bad category empties the list but the
    // document is still built.
    static Result<std::shared_ptr<QVDynamic>> fromJson(const nlohmann::json& value);

    const std::string& locale() const { return locale_; }
    const std::string& clientId() const { return clientId_; }
    const Categories& subConsents() const { return subConsents_; }
    void setSubConsents(Categories subConsents) { subConsents_ = std::move(subConsents); }
    bool isConsentRecordingAllowed() const { return isConsentRecordingAllowed_; }

    // "location", "autoClientId", "MobilePackageConsents", "isConsentRecordingAllowed".
    nlohmann::json toJson() const override;
    void writeJson(JsonTextWriter& writer) const override;

private:
    std::string locale_;
    std::string clientId_;
    Categories subConsents_;
    bool isConsentRecordingAllowed_;
};

} // namespace qvtv
