#include "support/ScopedDataDirectory.h"

#include "platform/Paths.h"

namespace testsupport {

ScopedDataDirectory::ScopedDataDirectory(const std::filesystem::path& dir)
    : keychain_(platform::Paths::keychainFile()), userDefaults_(platform::Paths::userDefaultsFile()) {
    platform::Paths::setDataDirectory(dir);
}

ScopedDataDirectory::~ScopedDataDirectory() {
    platform::Paths::setKeychainFile(keychain_);
    platform::Paths::setUserDefaultsFile(userDefaults_);
}

} // namespace testsupport
