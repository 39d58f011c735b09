#pragma once
// The viewer's permission to track across apps. The host owns the prompt: it installs a provider
// that asks the viewer and reports the answer. Without a provider every answer is `denied`, the
// privacy-preserving default.
//
//   platform::TrackingAuthorization::setProvider(std::make_shared<MyPromptProvider>());
//   auto status = platform::TrackingAuthorization::requestAuthorization().get();

#include <memory>

#include "platform/Task.h"

namespace platform {

class TrackingAuthorization {
public:
    // Raw values are part of the contract: log lines and hosts use the numbers.
    enum class Status : int { notDetermined = 0, restricted = 1, denied = 2, authorized = 3 };

    class Provider {
    public:
        virtual ~Provider() = default;
        // Shows the prompt when the viewer has not answered yet; finishes with the resulting status.
        virtual Task<Status> requestAuthorization() = 0;
        // The current answer, without prompting.
        virtual Status status() const = 0;
    };

    // Installs (or, with nullptr, removes) the provider. Safe from any thread.
    static void setProvider(std::shared_ptr<Provider> provider);

    static Task<Status> requestAuthorization();
    static Status status();

    TrackingAuthorization() = delete;
};

} // namespace platform
