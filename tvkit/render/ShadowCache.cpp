#include "tvkit/render/ShadowCache.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tvkit {

namespace {

// Box widths whose three passes give a Gaussian of `sigma` (Kutskir's derivation).
std::array<int, 3> boxRadii(double sigma) {
    const double ideal = std::sqrt(12 * sigma * sigma / 3 + 1);
    int lower = static_cast<int>(std::floor(ideal));
    if (lower % 2 == 0) --lower;
    const int upper = lower + 2;
    const double m = std::round((12 * sigma * sigma - 3.0 * lower * lower - 12.0 * lower - 9) / (-4.0 * lower - 4));
    std::array<int, 3> radii{};
    for (int i = 0; i < 3; ++i) radii[i] = ((i < m ? lower : upper) - 1) / 2;
    return radii;
}

// One box pass along a line of `count` samples `step` apart; edges count as transparent.
void boxLine(std::uint8_t* line, int count, int step, int radius, std::vector<std::uint8_t>& scratch) {
    scratch.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) scratch[i] = line[i * step];
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = 0; i < std::min(radius, count); ++i) sum += scratch[i];
    for (int i = 0; i < count; ++i) {
        if (i + radius < count) sum += scratch[i + radius];
        if (i - radius - 1 >= 0) sum -= scratch[i - radius - 1];
        line[i * step] = static_cast<std::uint8_t>((sum + window / 2) / window);
    }
}

// Where the blurred mask of a rounded rectangle `w` x `h` at (`pad`, `pad`) with corner `r` is
// wholly opaque: its band between the corners, less the reach of the blur, checked pixel by pixel
// (empty when any is not).
Rect solidCore(const std::uint8_t* data, int stride, int pad, int w, int h, double r, double sigma) {
    int reach = 0;
    if (sigma >= 0.5) {
        for (int radius : boxRadii(sigma)) reach += std::max(radius, 0);
    }
    const int corner = static_cast<int>(std::ceil(r));
    const int x0 = pad + reach, x1 = pad + w - reach;
    const int y0 = pad + corner + reach, y1 = pad + h - corner - reach;
    if (x1 <= x0 || y1 <= y0) return {};
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* row = data + static_cast<std::size_t>(y) * stride;
        if (std::any_of(row + x0, row + x1, [](std::uint8_t a) { return a != 255; })) return {};
    }
    return {static_cast<double>(x0), static_cast<double>(y0), static_cast<double>(x1 - x0), static_cast<double>(y1 - y0)};
}

} // namespace

void ShadowCache::blurAlpha(std::uint8_t* data, int width, int height, int stride, double sigma) {
    if (sigma < 0.5 || width <= 0 || height <= 0) return;
    std::vector<std::uint8_t> scratch;
    for (int radius : boxRadii(sigma)) {
        if (radius <= 0) continue;
        for (int y = 0; y < height; ++y) boxLine(data + static_cast<std::size_t>(y) * stride, width, 1, radius, scratch);
        for (int x = 0; x < width; ++x) boxLine(data + x, height, stride, radius, scratch);
    }
}

ShadowCache::~ShadowCache() {
    for (auto& [key, entry] : entries_) cairo_surface_destroy(entry.mask.surface);
}

const ShadowCache::Mask& ShadowCache::mask(Size size, double cornerRadius, double radius, double scale) {
    scale = scale > 0 && std::isfinite(scale) ? scale : 1;
    const double sigma = std::clamp(radius, 0.0, 200.0) / 2 * scale;
    const Key key{static_cast<int>(std::lround(std::clamp(size.width, 0.0, 8192.0) * scale)),
                  static_cast<int>(std::lround(std::clamp(size.height, 0.0, 8192.0) * scale)),
                  static_cast<int>(std::lround(std::clamp(cornerRadius, 0.0, 4096.0) * scale * 4)),
                  static_cast<int>(std::lround(sigma * 4))};
    if (auto it = entries_.find(key); it != entries_.end()) {
        recent_.splice(recent_.begin(), recent_, it->second.recent);
        return it->second.mask;
    }
    const int pad = static_cast<int>(std::ceil(sigma * 3)) + 1;
    const int width = std::get<0>(key) + 2 * pad;
    const int height = std::get<1>(key) + 2 * pad;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* cr = cairo_create(surface);
    const double w = std::get<0>(key);
    const double h = std::get<1>(key);
    const double r = std::min({std::get<2>(key) / 4.0, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, pad + w - r, pad + r, r, -M_PI / 2, 0);
    cairo_arc(cr, pad + w - r, pad + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, pad + r, pad + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, pad + r, pad + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    blurAlpha(cairo_image_surface_get_data(surface), width, height, cairo_image_surface_get_stride(surface), sigma);
    cairo_surface_mark_dirty(surface);
    ++blurs_;

    if (entries_.size() >= capacity_ && !recent_.empty()) {
        auto oldest = entries_.find(recent_.back());
        cairo_surface_destroy(oldest->second.mask.surface);
        entries_.erase(oldest);
        recent_.pop_back();
    }
    recent_.push_front(key);
    Entry& entry = entries_[key];
    entry.mask = {surface, pad / scale, scale,
                  solidCore(cairo_image_surface_get_data(surface), cairo_image_surface_get_stride(surface), pad,
                            static_cast<int>(w), static_cast<int>(h), r, sigma)};
    entry.recent = recent_.begin();
    return entry.mask;
}

} // namespace tvkit
