#include "tvkit/render/BitmapImage.h"

#include <cairo.h>

namespace tvkit {

BitmapImage::BitmapImage(Bitmap bitmap, bool isTemplate)
    : bitmap_(std::move(bitmap)), template_(isTemplate), surface_(bitmap_.makeSurface()) {}

BitmapImage::~BitmapImage() { cairo_surface_destroy(surface_); }

void BitmapImage::draw(cairo_t* cr, const Rect& rect) const {
    if (bitmap_.empty() || rect.isEmpty()) return;
    cairo_save(cr);
    cairo_translate(cr, rect.minX(), rect.minY());
    cairo_scale(cr, rect.width() / bitmap_.width(), rect.height() / bitmap_.height());
    cairo_rectangle(cr, 0, 0, bitmap_.width(), bitmap_.height());
    cairo_clip(cr);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface_);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    // A template keeps only its coverage; the caller's source (the tint) paints it.
    if (template_) cairo_mask(cr, pattern);
    else {
        cairo_set_source(cr, pattern);
        cairo_paint(cr);
    }
    cairo_pattern_destroy(pattern);
    cairo_restore(cr);
}

} // namespace tvkit
