#pragma once
// Registration of SDK adapters at initialisation: an adapter joins the list only when its SDK's
// class is present, and its package then counts as registered, so a later built-in adapter for the
// same package is not created. The registered set is process-wide and rebuilt by every run.
//
//   std::vector<std::shared_ptr<qvtv::BaseConsentAdapter>> adapters;
//   qvtv::AdapterFactory::registerAdapter(config->createAdapter(type, status, enabled), adapters);

#include <memory>
#include <set>
#include <vector>

#include "QVTVConsent/adapters/BaseConsentAdapter.h"

namespace qvtv {

class AdapterFactory {
public:
    // Appends the adapter and records its package when the package's class is present; otherwise
    // drops it. Returns whether it was registered.
    static bool registerAdapter(std::shared_ptr<BaseConsentAdapter> adapter,
                                std::vector<std::shared_ptr<BaseConsentAdapter>>& adapters);

    static std::set<QVSupportedPackage> registeredPackages();
    static bool isRegistered(const QVSupportedPackage& pkg);
    static void clearRegisteredPackages();

    AdapterFactory() = delete;
};

} // namespace qvtv
