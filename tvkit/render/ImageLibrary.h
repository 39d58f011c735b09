#pragma once
// Named image resources in a folder ("qv_logo" finds qv_logo.svg, .png, .jpg or .jpeg there),
// decoded once and shared.
//
//   ImageLibrary resources("/usr/share/myapp/images");
//   auto logo = resources.image("qv_logo");   // nullptr when there is no such resource

#include "tvkit/graphics/Image.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace tvkit {

class ImageLibrary {
public:
    explicit ImageLibrary(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Names are plain file stems; anything with a path separator or a leading dot is not found.
    std::shared_ptr<const Image> image(std::string_view name);
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::map<std::string, std::shared_ptr<const Image>, std::less<>> cache_;
};

} // namespace tvkit
