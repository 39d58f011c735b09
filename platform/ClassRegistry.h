#pragma once
// Run-time lookup of classes by name, for SDKs the library drives without linking them. The host
// registers each external SDK it links under its class name (module-qualified where the SDK's class
// lives in a module, e.g. "Airbridge.Airbridge"); the library looks names up and sends selectors.
// A name nobody registered is simply absent. Registration and lookup are safe from any thread.
//
//   platform::ClassRegistry::registerClass("Singular", std::make_shared<SingularBridge>());
//   if (auto cls = platform::ClassRegistry::lookup("Singular")) cls->send("resumeAllTracking", {});

#include <string>
#include <string_view>

#include "platform/RuntimeObject.h"

namespace platform {

class ClassRegistry {
public:
    // Registers (or replaces) the class object under `name`. A null object unregisters the name.
    static void registerClass(const std::string& name, ObjectHandle classObject);
    static void unregisterClass(std::string_view name);

    // The class object registered under exactly this name, or nullptr.
    [[nodiscard]] static ObjectHandle lookup(std::string_view name);

    ClassRegistry() = delete;
};

} // namespace platform
