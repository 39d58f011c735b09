#include "support/TempDir.h"

#include <cstdlib>
#include <string>

namespace testsupport {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qvtv-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::abort();
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

} // namespace testsupport
