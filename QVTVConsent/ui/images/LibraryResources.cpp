#include "QVTVConsent/ui/images/LibraryResources.h"

#include "tvkit/render/ImageLibrary.h"

namespace qvtv {

std::filesystem::path LibraryResources::folder() {
    std::error_code ignored;
    std::filesystem::path installed(QVTV_INSTALLED_RESOURCES_DIR);
    if (std::filesystem::is_directory(installed, ignored)) return installed;
    return QVTV_RESOURCES_DIR;
}

std::shared_ptr<const tvkit::Image> LibraryResources::image(std::string_view name) {
    static tvkit::ImageLibrary library(folder());
    return library.image(name);
}

} // namespace qvtv
