#include "tvkit/render/Bitmap.h"

#include "platform/LogSink.h"
#include "tvkit/render/CairoHandles.h"

#include <algorithm>
#include <cstring>

namespace tvkit {

namespace {
std::uint32_t premultiplied(Color c) {
    auto byte = [](double v) { return static_cast<std::uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
    const double a = std::clamp(c.alpha, 0.0, 1.0);
    return byte(a) << 24 | byte(c.red * a) << 16 | byte(c.green * a) << 8 | byte(c.blue * a);
}
} // namespace

Bitmap::Bitmap(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4, 0) {}

Color Bitmap::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return Color::clear();
    std::uint32_t v = 0;
    std::memcpy(&v, pixels_.data() + static_cast<std::size_t>(y) * stride() + static_cast<std::size_t>(x) * 4, 4);
    const double a = (v >> 24) / 255.0;
    if (a == 0) return Color::clear();
    auto channel = [&](int shift) { return std::min(1.0, ((v >> shift) & 0xFF) / 255.0 / a); };
    return {channel(16), channel(8), channel(0), a};
}

void Bitmap::clear(Color color) {
    const std::uint32_t v = premultiplied(color);
    for (std::size_t i = 0; i + 4 <= pixels_.size(); i += 4) std::memcpy(pixels_.data() + i, &v, 4);
}

cairo_surface_t* Bitmap::makeSurface() {
    return cairo_image_surface_create_for_data(pixels_.data(), CAIRO_FORMAT_ARGB32, width_, height_, stride());
}

bool Bitmap::writePng(const std::string& path) const {
    CairoSurfaceHandle surface(const_cast<Bitmap*>(this)->makeSurface());
    const cairo_status_t status = cairo_surface_write_to_png(surface.get(), path.c_str());
    if (status == CAIRO_STATUS_SUCCESS) return true;
    platform::LogSink::write("[ERROR] Bitmap: cannot write " + path + ": " + cairo_status_to_string(status));
    return false;
}

std::optional<Bitmap> Bitmap::readPng(const std::string& path) {
    CairoSurfaceHandle source(cairo_image_surface_create_from_png(path.c_str()));
    if (cairo_surface_status(source.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
    Bitmap bitmap(cairo_image_surface_get_width(source.get()), cairo_image_surface_get_height(source.get()));
    CairoSurfaceHandle target(bitmap.makeSurface());
    CairoHandle cr(cairo_create(target.get()));
    cairo_set_source_surface(cr.get(), source.get(), 0, 0);
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr.get());
    return bitmap;
}

} // namespace tvkit
