#include "tools/sdk-fakes/FakeVendorSdks.h"

#include <stdexcept>

#include "platform/ClassRegistry.h"
#include "tools/sdk-fakes/RecordingSdkObject.h"

namespace sdkfakes {

FakeVendorSdks::FakeVendorSdks(Options options) {
    if (options.firebase) add("FIRAnalytics", {"setConsent:", "setAnalyticsCollectionEnabled:"});
    if (options.singular) {
        add("Singular", {"startSession:withKey:", "reStartSession:withKey:", "resumeAllTracking", "stopAllTracking",
                         "endSession", "setLimitAdvertisingIdentifiers:", "limitDataSharing:"});
        add("SingularConfig", {});
    }
    if (options.tenjin) add("TenjinSDK", {"initialize:", "debugLogs", "optIn", "connect", "optOut"});
    if (options.airbridge) addAirbridge(options);
}

FakeVendorSdks::~FakeVendorSdks() {
    for (const auto& name : registered_) platform::ClassRegistry::unregisterClass(name);
}

void FakeVendorSdks::add(const std::string& className, const std::vector<std::string>& selectors) {
    auto cls = std::make_shared<RecordingSdkObject>(className, journal_);
    for (const auto& s : selectors) {
        cls->answers(s, [failing = failing_, s](const auto&) -> platform::ObjectHandle {
            if (failing->contains(s)) throw std::runtime_error(failureText);
            return nullptr;
        });
    }
    platform::ClassRegistry::registerClass(className, cls);
    registered_.push_back(className);
}

void FakeVendorSdks::addAirbridge(const Options& options) {
    add("Airbridge.Airbridge", {"initializeSDKWithOption:", "enableSDK", "startTracking", "stopTracking",
                                "disableSDK", "clearUser"});

    auto journal = journal_;
    auto level = std::make_shared<RecordingSdkObject>("Airbridge.AirbridgeLogLevel", journal);
    level->answers("initWithRawValue:", [journal](const auto&) {
        return std::make_shared<RecordingSdkObject>("<AirbridgeLogLevel>", journal);
    });
    platform::ClassRegistry::registerClass("Airbridge.AirbridgeLogLevel", level);
    registered_.push_back("Airbridge.AirbridgeLogLevel");

    auto builderClass = std::make_shared<RecordingSdkObject>("Airbridge.AirbridgeOptionBuilder", journal);
    builderClass->answers("alloc", [journal, options](const auto&) -> platform::ObjectHandle {
        auto builder = std::make_shared<RecordingSdkObject>("<AirbridgeOptionBuilder>", journal);
        // The builder answers init with itself; a weak capture keeps it from owning itself.
        std::weak_ptr<RecordingSdkObject> self = builder;
        builder->answers("initWithName:token:", [self, options](const auto&) -> platform::ObjectHandle {
            if (options.builderInitFails) return nullptr;
            return self.lock();
        });
        builder->answers("setLogLevel:");
        if (options.builderAnswersAutoStart) builder->answers("setAutoStartTrackingEnabled:");
        builder->answers("build", [journal](const auto&) {
            return std::make_shared<RecordingSdkObject>("<AirbridgeOption>", journal);
        });
        return builder;
    });
    platform::ClassRegistry::registerClass("Airbridge.AirbridgeOptionBuilder", builderClass);
    registered_.push_back("Airbridge.AirbridgeOptionBuilder");
}

} // namespace sdkfakes
