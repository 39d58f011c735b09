#pragma once
// A block of 32-bit pixels (premultiplied ARGB in native byte order, Cairo's layout) that the
// renderer draws into and hosts show or save.
//
//   Bitmap frame(1920, 1080);
//   Color c = frame.pixel(10, 10);            // unpremultiplied
//   if (!frame.writePng("/tmp/frame.png")) ...

#include "tvkit/graphics/Color.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace tvkit {

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height);  // transparent black; negative sizes become 0

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return width_ * 4; }
    std::uint8_t* data() { return pixels_.data(); }
    const std::uint8_t* data() const { return pixels_.data(); }
    bool empty() const { return width_ == 0 || height_ == 0; }

    // The pixel at (x, y), unpremultiplied; transparent outside the bitmap.
    Color pixel(int x, int y) const;
    void clear(Color color = Color::clear());

    // A Cairo surface over these pixels (the bitmap must outlive it); the caller destroys it.
    cairo_surface_t* makeSurface();

    [[nodiscard]] bool writePng(const std::string& path) const;
    static std::optional<Bitmap> readPng(const std::string& path);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

} // namespace tvkit
