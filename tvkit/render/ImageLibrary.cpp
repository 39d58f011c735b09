#include "tvkit/render/ImageLibrary.h"

#include "tvkit/render/ImageDecoder.h"

#include <system_error>

namespace tvkit {

std::shared_ptr<const Image> ImageLibrary::image(std::string_view name) {
    if (name.empty() || name.front() == '.' || name.find_first_of("/\\") != std::string_view::npos) return nullptr;
    if (auto it = cache_.find(name); it != cache_.end()) return it->second;
    for (const char* extension : {".svg", ".png", ".jpg", ".jpeg"}) {
        const std::filesystem::path path = folder_ / (std::string(name) + extension);
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) continue;
        auto decoded = ImageDecoder::decodeFile(path.string());
        if (!decoded) continue;
        cache_.emplace(std::string(name), decoded);
        return decoded;
    }
    return nullptr;
}

} // namespace tvkit
