// Feeds arbitrary bytes to the decoder that turns a downloaded logo into an image (PNG, JPEG
// and other gdk-pixbuf formats, SVG through librsvg), fitted into a slot, then draws the result:
// a logo address can point anywhere, so its answer is outside input.
#include "platform/LogSink.h"
#include "tvkit/render/Bitmap.h"
#include "tvkit/render/ImageDecoder.h"
#include "tvkit/render/Painter.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        platform::LogSink::setHandler([](std::string_view) {});
        return true;
    }();
    (void)quiet;
    if (size < 1) return 0;
    // The first byte picks the slot, from 1 x 1 up to the banner logo's size and beyond.
    const double side = 1 + data[0] * 2;
    const std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);
    auto image = tvkit::ImageDecoder::decode(body, tvkit::Size{side, side / 2 + 1});
    if (!image) return 0;
    tvkit::Bitmap canvas(64, 64);
    tvkit::Painter painter(canvas);
    painter.drawImage(*image, {0, 0, 64, 64});
    return 0;
}
