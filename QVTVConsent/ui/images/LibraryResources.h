#pragma once
// The library's own images ("qv_logo", "branding"), looked up by name. They are installed
// under <prefix>/share/QVTVConsent/resources; a build that is not installed (tests, the demo
// from the build tree) reads them from the source tree. Decoded once, main thread only.
//
//   auto fallback = qvtv::LibraryResources::image("qv_logo");   // null when there is none

#include "tvkit/graphics/Image.h"

#include <filesystem>
#include <memory>
#include <string_view>

namespace qvtv {

class LibraryResources {
public:
    static std::shared_ptr<const tvkit::Image> image(std::string_view name);
    // The folder in use: the installed one when it exists, else the source tree's.
    static std::filesystem::path folder();

    LibraryResources() = delete;
};

} // namespace qvtv
