#include "platform/DeviceInfo.h"

#include <sys/utsname.h>

#include <fstream>
#include <mutex>

#include "platform/NoDestructor.h"

namespace platform {
namespace {

struct Info {
    std::mutex mutex;
    std::optional<std::string> model;
    std::optional<std::string> systemVersion;
    std::optional<std::string> appShortVersion;
};

Info& info() {
    static NoDestructor<Info> i;
    return *i;
}

std::string firstLineOf(const char* path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    // Device-tree strings end in a NUL.
    while (!line.empty() && (line.back() == '\0' || line.back() == ' ')) line.pop_back();
    return line;
}

std::string osModel() {
    for (const char* path : {"/proc/device-tree/model", "/sys/devices/virtual/dmi/id/product_name"}) {
        if (auto name = firstLineOf(path); !name.empty()) return name;
    }
    return "Linux TV";
}

std::string osRelease() {
    utsname u{};
    if (uname(&u) != 0) return "unknown";
    return u.release;
}

} // namespace

std::string DeviceInfo::model() {
    std::lock_guard lock(info().mutex);
    if (!info().model) info().model = osModel();
    return *info().model;
}

std::string DeviceInfo::systemVersion() {
    std::lock_guard lock(info().mutex);
    if (!info().systemVersion) info().systemVersion = osRelease();
    return *info().systemVersion;
}

std::optional<std::string> DeviceInfo::appShortVersion() {
    std::lock_guard lock(info().mutex);
    return info().appShortVersion;
}

void DeviceInfo::setAppShortVersion(std::optional<std::string> version) {
    std::lock_guard lock(info().mutex);
    info().appShortVersion = std::move(version);
}

} // namespace platform
