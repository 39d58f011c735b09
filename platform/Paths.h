#pragma once
// Where the device-local stores live. The keychain file stands for storage that outlives the app
// (a reinstall keeps it); the user-defaults file sits in the app's own data folder, which a removal
// wipes. Keeping the two apart is what lets a fresh install be told from an upgrade.
//
//   platform::Paths::setDataDirectory("/var/lib/mytvapp");   // host, once at start-up
//   platform::KeyValueStore keychain(platform::Paths::keychainFile(), "generic-password");

#include <filesystem>

namespace platform {

class Paths {
public:
    // The keychain store; by default <data home>/qvtv-keychain/keychain.sqlite.
    static std::filesystem::path keychainFile();
    // The user-defaults store; by default <data home>/qvtv-app/user-defaults.sqlite.
    static std::filesystem::path userDefaultsFile();

    static void setKeychainFile(std::filesystem::path file);
    static void setUserDefaultsFile(std::filesystem::path file);
    // Puts both stores under one folder: <dir>/keychain/keychain.sqlite and <dir>/app/user-defaults.sqlite.
    static void setDataDirectory(const std::filesystem::path& dir);
};

} // namespace platform
