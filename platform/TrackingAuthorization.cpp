#include "platform/TrackingAuthorization.h"

#include <mutex>

#include "platform/NoDestructor.h"

namespace platform {
namespace {

std::mutex& providerMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<TrackingAuthorization::Provider>& installedProvider() {
    static NoDestructor<std::shared_ptr<TrackingAuthorization::Provider>> p;
    return *p;
}

// Copied out under the lock so a provider may be swapped while a request is in flight.
std::shared_ptr<TrackingAuthorization::Provider> currentProvider() {
    std::lock_guard lock(providerMutex());
    return installedProvider();
}

} // namespace

void TrackingAuthorization::setProvider(std::shared_ptr<Provider> provider) {
    std::lock_guard lock(providerMutex());
    installedProvider() = std::move(provider);
}

Task<TrackingAuthorization::Status> TrackingAuthorization::requestAuthorization() {
    auto provider = currentProvider();
    if (!provider) return Task<Status>::ready(Status::denied);
    return provider->requestAuthorization();
}

TrackingAuthorization::Status TrackingAuthorization::status() {
    auto provider = currentProvider();
    return provider ? provider->status() : Status::denied;
}

} // namespace platform
