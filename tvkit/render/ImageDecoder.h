#pragma once
// Decodes image files: PNG and JPEG through gdk-pixbuf, SVG through librsvg (rendered at the
// target size, so it stays sharp). Optionally scales to fit a box keeping the aspect ratio,
// enlarging small images.
//
//   auto logo = ImageDecoder::decode(bytes, Size{100, 100});   // 400 x 200 becomes 100 x 50
//   if (!logo) showFallback();

#include "tvkit/graphics/Image.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tvkit {

class ImageDecoder {
public:
    // None (with a log line) when the data is not an image we can read.
    static std::shared_ptr<const Image> decode(std::string_view data, std::optional<Size> fitInto = std::nullopt);
    static std::shared_ptr<const Image> decodeFile(const std::string& path, std::optional<Size> fitInto = std::nullopt);
    // The size that keeps `natural`'s aspect ratio and just fits inside `box`.
    static Size fittingSize(Size natural, Size box);
};

} // namespace tvkit
