#include "platform/Paths.h"

#include <cstdlib>
#include <mutex>

#include "platform/NoDestructor.h"

namespace platform {
namespace {

struct PathState {
    std::mutex mutex;
    std::filesystem::path keychain;
    std::filesystem::path userDefaults;
};

PathState& state() {
    static NoDestructor<PathState> s;
    return *s;
}

std::filesystem::path dataHome() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return xdg;
    if (const char* home = std::getenv("HOME"); home && *home) return std::filesystem::path(home) / ".local/share";
    return std::filesystem::temp_directory_path();
}

} // namespace

std::filesystem::path Paths::keychainFile() {
    std::lock_guard lock(state().mutex);
    if (!state().keychain.empty()) return state().keychain;
    return dataHome() / "qvtv-keychain" / "keychain.sqlite";
}

std::filesystem::path Paths::userDefaultsFile() {
    std::lock_guard lock(state().mutex);
    if (!state().userDefaults.empty()) return state().userDefaults;
    return dataHome() / "qvtv-app" / "user-defaults.sqlite";
}

void Paths::setKeychainFile(std::filesystem::path file) {
    std::lock_guard lock(state().mutex);
    state().keychain = std::move(file);
}

void Paths::setUserDefaultsFile(std::filesystem::path file) {
    std::lock_guard lock(state().mutex);
    state().userDefaults = std::move(file);
}

void Paths::setDataDirectory(const std::filesystem::path& dir) {
    setKeychainFile(dir / "keychain" / "keychain.sqlite");
    setUserDefaultsFile(dir / "app" / "user-defaults.sqlite");
}

} // namespace platform
