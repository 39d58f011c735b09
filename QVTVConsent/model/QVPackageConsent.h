#pragma once
// The viewer's consent for one package (an SDK or service inside the app). Shared between the
// stored document, the templates and the screens, which switch `isEnabled` in place.
//
//   auto pkg = qvtv::QVPackageConsent::fromJson(json);   // Result<std::shared_ptr<QVPackageConsent>>
//   if (pkg) (*pkg)->setEnabled(true);

#include <memory>
#include <string>

#include "QVTVConsent/core/JsonSerialisable.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

class QVPackageConsent : public JsonSerialisable {
public:
    QVPackageConsent(std::string packageName, std::string packageId, bool isEnabled)
        : packageName_(std::move(packageName)), packageId_(std::move(packageId)), isEnabled_(isEnabled) {}

    // Name from "PackageName" (a non-text value becomes its text form) or else "Name";
    // "PackageId" text; "IsEnabled" tolerant Boolean. Fails only for a value that is no object.
    static Result<std::shared_ptr<QVPackageConsent>> fromJson(const nlohmann::json& value);

    const std::string& packageName() const { return packageName_; }
    const std::string& packageId() const { return packageId_; }
    bool isEnabled() const { return isEnabled_; }
    bool enabled() const { return isEnabled_; }
    void setEnabled(bool enabled) { isEnabled_ = enabled; }

    // "PackageName" and "Name" (both the name), "PackageId", "IsEnabled".
    nlohmann::json toJson() const override;
    void writeJson(JsonTextWriter& writer) const override;

private:
    std::string packageName_;
    std::string packageId_;
    bool isEnabled_;
};

} // namespace qvtv
