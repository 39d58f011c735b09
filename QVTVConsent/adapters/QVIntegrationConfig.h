#pragma once
// How a host hands the library the credentials that starting one of its SDKs needs. Each
// configuration names its package and builds that package's adapter; the library creates the
// adapters of the configurations in the key before the built-in ones, which they replace.
//
//   qvtv::QVAuthKey::IntegrationConfigs configs{std::make_shared<qvtv::QVSingularConfig>("api-key", "secret")};
//   qvtv::QVAuthKey key("demo-tv-app", std::nullopt, configs);

#include <memory>
#include <optional>

#include "QVTVConsent/adapters/QVSupportedPackage.h"
#include "QVTVConsent/model/QVConsentStatus.h"
#include "QVTVConsent/model/QVConsentType.h"

namespace qvtv {

class BaseConsentAdapter;

class QVIntegrationConfig {
public:
    virtual ~QVIntegrationConfig() = default;

    virtual const QVSupportedPackage& pkg() const = 0;

    // The adapter of this configuration's SDK, built with this configuration; none when the
    // configuration cannot make one.
    virtual std::shared_ptr<BaseConsentAdapter> createAdapter(QVConsentType consentType, QVConsentStatus consentStatus,
                                                              std::optional<bool> packageEnabled) const = 0;
};

} // namespace qvtv
