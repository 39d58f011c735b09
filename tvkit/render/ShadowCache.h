#pragma once
// Blurred masks for drop shadows of rounded rectangles, blurred with three box blurs (close to
// a Gaussian with sigma = radius / 2, as layer shadows look) and kept in a small LRU cache:
// a screen of identical buttons blurs once, and an idle redraw blurs nothing.
//
//   ShadowCache cache;
//   const auto& mask = cache.mask({200, 60}, 8, 22, 1.0);
//   cairo_mask_surface(cr, mask.surface, x - mask.padding, y - mask.padding);

#include "tvkit/graphics/Rect.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <tuple>

typedef struct _cairo_surface cairo_surface_t;

namespace tvkit {

class ShadowCache {
public:
    struct Mask {
        cairo_surface_t* surface = nullptr;  // A8, owned by the cache
        double padding = 0;                  // in user units: the mask starts this far up and left
        double scale = 1;                    // device pixels per user unit
        Rect core;                           // in mask pixels: where the mask is wholly opaque
    };

    explicit ShadowCache(std::size_t capacity = 128) : capacity_(capacity) {}
    ~ShadowCache();
    ShadowCache(const ShadowCache&) = delete;
    ShadowCache& operator=(const ShadowCache&) = delete;

    // The mask for a rounded rectangle of `size` (user units) blurred by `radius`, rendered at
    // `scale` device pixels per unit. Valid until the next call.
    const Mask& mask(Size size, double cornerRadius, double radius, double scale);

    std::size_t blurCount() const { return blurs_; }  // how many masks were made (for tests)
    std::size_t size() const { return entries_.size(); }

    // Blurs an 8-bit alpha plane in place with three box blurs approximating a Gaussian.
    static void blurAlpha(std::uint8_t* data, int width, int height, int stride, double sigma);

private:
    using Key = std::tuple<int, int, int, int>;  // device width, height, corner and radius (quarter px)
    struct Entry {
        Mask mask;
        std::list<Key>::iterator recent;
    };
    std::size_t capacity_;
    std::size_t blurs_ = 0;
    std::map<Key, Entry> entries_;
    std::list<Key> recent_;  // most recent first
};

} // namespace tvkit
