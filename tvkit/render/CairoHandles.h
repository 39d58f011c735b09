#pragma once
// Owning holders for Cairo handles. Private to tvkit's sources.
//
//   CairoSurfaceHandle surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64));
//   CairoHandle cr(cairo_create(surface.get()));

#include <cairo.h>

#include <memory>

namespace tvkit {

struct CairoDestroy {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct CairoSurfaceDestroy {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoPatternDestroy {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};

using CairoHandle = std::unique_ptr<cairo_t, CairoDestroy>;
using CairoSurfaceHandle = std::unique_ptr<cairo_surface_t, CairoSurfaceDestroy>;
using CairoPatternHandle = std::unique_ptr<cairo_pattern_t, CairoPatternDestroy>;

} // namespace tvkit
