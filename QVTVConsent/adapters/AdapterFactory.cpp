#include "QVTVConsent/adapters/AdapterFactory.h"

#include <mutex>

#include "platform/NoDestructor.h"

namespace qvtv {
namespace {

// Written by the initialising task, read by the screens: a small lock keeps readers safe.
struct Registered {
    std::mutex mutex;
    std::set<QVSupportedPackage> packages;
};

Registered& registered() {
    static platform::NoDestructor<Registered> r;
    return *r;
}

} // namespace

bool AdapterFactory::registerAdapter(std::shared_ptr<BaseConsentAdapter> adapter,
                                     std::vector<std::shared_ptr<BaseConsentAdapter>>& adapters) {
    if (!adapter || !adapter->pkg().packageClass()) return false;
    {
        auto& r = registered();
        std::lock_guard lock(r.mutex);
        r.packages.insert(adapter->pkg());
    }
    adapters.push_back(std::move(adapter));
    return true;
}

std::set<QVSupportedPackage> AdapterFactory::registeredPackages() {
    auto& r = registered();
    std::lock_guard lock(r.mutex);
    return r.packages;
}

bool AdapterFactory::isRegistered(const QVSupportedPackage& pkg) {
    auto& r = registered();
    std::lock_guard lock(r.mutex);
    return r.packages.contains(pkg);
}

void AdapterFactory::clearRegisteredPackages() {
    auto& r = registered();
    std::lock_guard lock(r.mutex);
    r.packages.clear();
}

} // namespace qvtv
