#pragma once
// Turns the library's consent state into calls on the SDK adapters: for each adapter it decides
// whether its package is enabled and hands it the signal its SDK takes (the Google Consent Mode
// map for analytics, a Boolean for the others). One manager exists at a time, built by every
// initialisation and shared process-wide.
//
//   auto manager = qvtv::QVAdapterConsentManager::shared();
//   if (manager) manager->apply(qvtv::QVConsentStatus::collected, false, signals, enabledPackages);

#include <memory>
#include <set>
#include <vector>

#include "QVTVConsent/adapters/BaseConsentAdapter.h"
#include "QVTVConsent/adapters/QVGCMSignalMap.h"

namespace qvtv {

class QVCategory;

class QVAdapterConsentManager {
public:
    QVAdapterConsentManager(std::vector<std::shared_ptr<BaseConsentAdapter>> adapters, bool isGCMEnabled,
                            QVConsentType consentType);

    const std::vector<std::shared_ptr<BaseConsentAdapter>>& adapters() const { return adapters_; }
    bool isGCMEnabled() const { return isGCMEnabled_; }
    QVConsentType consentType() const { return consentType_; }

    // Applies consent to every adapter whose SDK is present, in list order.
    void apply(QVConsentStatus status, bool isInitialApplication, const QVGCMSignalMap& signals,
               const std::set<QVSupportedPackage>& enabledPackages) const;

    // Applies a choice made in a screen: a package counts as enabled only when no category lists
    // it disabled.
    void applyFromCategories(QVConsentStatus status, const QVGCMSignalMap& signals,
                             const std::vector<std::shared_ptr<QVCategory>>& categories) const;

    void clearSession() const;

    // Whether an application enables `pkg` (none: the analytics SDK's signals decide). The
    // start-up builds each adapter with the answer of the first application, so no SDK starts
    // in a state that application reverses.
    static std::optional<bool> decidePackageEnabled(const QVSupportedPackage& pkg, QVConsentStatus status,
                                                    bool isInitialApplication, bool contains, bool isGCMEnabled,
                                                    QVConsentType consentType);

    // The process-wide manager: absent until an initialisation builds one.
    static std::shared_ptr<QVAdapterConsentManager> shared();
    static void setShared(std::shared_ptr<QVAdapterConsentManager> manager);

private:
    std::vector<std::shared_ptr<BaseConsentAdapter>> adapters_;
    bool isGCMEnabled_;
    QVConsentType consentType_;
};

} // namespace qvtv
