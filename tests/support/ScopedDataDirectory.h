#pragma once
// Points platform::Paths at a folder for the life of a test and puts the earlier paths back, so
// no later test in the same process writes into a folder that is gone.
//
//   testsupport::TempDir dir;
//   testsupport::ScopedDataDirectory paths(dir.path());

#include <filesystem>

namespace testsupport {

class ScopedDataDirectory {
public:
    explicit ScopedDataDirectory(const std::filesystem::path& dir);
    ~ScopedDataDirectory();
    ScopedDataDirectory(const ScopedDataDirectory&) = delete;
    ScopedDataDirectory& operator=(const ScopedDataDirectory&) = delete;

private:
    std::filesystem::path keychain_;
    std::filesystem::path userDefaults_;
};

} // namespace testsupport
