#pragma once
// What the library may say about the device and the host app: model name, system version and
// the app's short version string. Defaults are read from the OS; the host overrides them at
// start-up (a TV app knows its own version; Linux does not).
//
//   platform::DeviceInfo::setAppShortVersion("2.4.1");

#include <optional>
#include <string>

namespace platform {

class DeviceInfo {
public:
    static std::string model();           // e.g. "Living Room TV"; the DMI/device-tree name by default
    static std::string systemVersion();   // the kernel release by default
    static std::optional<std::string> appShortVersion();  // none until the host sets it

    static void setAppShortVersion(std::optional<std::string> version);
};

} // namespace platform
