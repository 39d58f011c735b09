#include "tvkit/render/Painter.h"

#include "tvkit/render/ShadowCache.h"
#include "tvkit/text/TextLayout.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace tvkit {

namespace {

void setColor(cairo_t* cr, Color c, double alpha = 1) {
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, std::clamp(c.alpha * alpha, 0.0, 1.0));
}

void roundedRectPath(cairo_t* cr, const Rect& rect, double radius) {
    const double r = std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2);
    if (r <= 0) {
        cairo_rectangle(cr, rect.minX(), rect.minY(), rect.width(), rect.height());
        return;
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, rect.maxX() - r, rect.minY() + r, r, -M_PI / 2, 0);
    cairo_arc(cr, rect.maxX() - r, rect.maxY() - r, r, 0, M_PI / 2);
    cairo_arc(cr, rect.minX() + r, rect.maxY() - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, rect.minX() + r, rect.minY() + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// Clips away the device pixels that a fill of the rounded rectangle `rect` covers fully, so what
// is drawn next shows only around it. Only for axis-aligned transforms, where those pixels form
// whole-pixel boxes (Cairo keeps such a clip as a region, the fast path); otherwise no clip.
void clipOutCoveredPixels(cairo_t* cr, const Rect& rect, double cornerRadius) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    if (m.xy != 0 || m.yx != 0) return;
    const double r = std::clamp(cornerRadius, 0.0, std::min(rect.width(), rect.height()) / 2);
    // The rounded rectangle covers a cross: a full-width band between the corners and a
    // full-height one. Each box is shrunk to the pixels wholly inside it, less one for safety.
    auto deviceInside = [&](double x0, double y0, double x1, double y1) {
        double ax = m.xx * x0 + m.x0, bx = m.xx * x1 + m.x0;
        double ay = m.yy * y0 + m.y0, by = m.yy * y1 + m.y0;
        const double left = std::ceil(std::min(ax, bx)) + 1, right = std::floor(std::max(ax, bx)) - 1;
        const double top = std::ceil(std::min(ay, by)) + 1, bottom = std::floor(std::max(ay, by)) - 1;
        return Rect{left, top, std::max(0.0, right - left), std::max(0.0, bottom - top)};
    };
    const Rect band = deviceInside(rect.minX(), rect.minY() + r, rect.maxX(), rect.maxY() - r);
    const Rect column = deviceInside(rect.minX() + r, rect.minY(), rect.maxX() - r, rect.maxY());
    if (band.isEmpty() && column.isEmpty()) return;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_identity_matrix(cr);
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    x0 = std::floor(x0) - 1;
    y0 = std::floor(y0) - 1;
    cairo_rectangle(cr, x0, y0, std::ceil(x1) + 1 - x0, std::ceil(y1) + 1 - y0);
    // Even-odd over disjoint boxes inside the outer one: the column's parts above and below
    // the band, so no pixel is counted twice.
    auto add = [&](const Rect& box) {
        if (!box.isEmpty()) cairo_rectangle(cr, box.minX(), box.minY(), box.width(), box.height());
    };
    add(band);
    if (band.isEmpty()) {
        add(column);
    } else {
        add(Rect{column.minX(), column.minY(), column.width(), std::max(0.0, band.minY() - column.minY())});
        add(Rect{column.minX(), band.maxY(), column.width(), std::max(0.0, column.maxY() - band.maxY())});
    }
    cairo_set_matrix(cr, &m);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

} // namespace

Painter::Painter(Bitmap& target, double scale)
    : surface_(target.makeSurface()), cr_(cairo_create(surface_)), scale_(scale > 0 ? scale : 1) {
    cairo_scale(cr_, scale_, scale_);
}

Painter::~Painter() {
    cairo_destroy(cr_);
    cairo_surface_flush(surface_);
    cairo_surface_destroy(surface_);
}

void Painter::save() { cairo_save(cr_); }
void Painter::restore() { cairo_restore(cr_); }
void Painter::translate(double x, double y) { cairo_translate(cr_, x, y); }

void Painter::concat(const AffineTransform& t) {
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
    cairo_transform(cr_, &m);
}

void Painter::clipRoundedRect(const Rect& rect, double cornerRadius) {
    roundedRectPath(cr_, rect, cornerRadius);
    cairo_clip(cr_);
}

void Painter::clipDevice(const std::vector<Rect>& rects) {
    cairo_matrix_t saved;
    cairo_get_matrix(cr_, &saved);
    cairo_identity_matrix(cr_);
    for (const Rect& r : rects) cairo_rectangle(cr_, r.minX(), r.minY(), r.width(), r.height());
    cairo_set_matrix(cr_, &saved);
    cairo_clip(cr_);
}

void Painter::clear(Color color) {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    setColor(cr_, color);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Painter::fillRoundedRect(const Rect& rect, double cornerRadius, Color color) {
    if (rect.isEmpty() || color.alpha <= 0) return;
    roundedRectPath(cr_, rect, cornerRadius);
    setColor(cr_, color);
    cairo_fill(cr_);
}

void Painter::strokeRoundedRect(const Rect& rect, double cornerRadius, double width, Color color) {
    if (rect.isEmpty() || width <= 0 || color.alpha <= 0) return;
    const double w = std::min({width, rect.width() / 2, rect.height() / 2});
    // Outer edge on the bounds, inner edge `w` inside, filled even-odd: a border that never
    // spills outside the view.
    roundedRectPath(cr_, rect, cornerRadius);
    roundedRectPath(cr_, rect.inset(EdgeInsets::all(w)), std::max(0.0, cornerRadius - w));
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    setColor(cr_, color);
    cairo_fill(cr_);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
}

void Painter::drawShadow(const Rect& rect, double cornerRadius, const Shadow& shadow, ShadowCache& cache,
                         bool filledOpaquely) {
    if (rect.isEmpty() || shadow.opacity <= 0 || shadow.color.alpha <= 0) return;
    // Masks are made at the device scale of the current transform, so a scaled button's shadow
    // is as soft as a native one.
    double dx = 1, dy = 0;
    cairo_user_to_device_distance(cr_, &dx, &dy);
    const double deviceScale = std::max(0.01, std::hypot(dx, dy));
    const ShadowCache::Mask& mask = cache.mask(rect.size, cornerRadius, shadow.radius, deviceScale);
    cairo_save(cr_);
    if (filledOpaquely) clipOutCoveredPixels(cr_, rect, cornerRadius);
    setColor(cr_, shadow.color, shadow.opacity);
    cairo_translate(cr_, rect.minX() + shadow.offset.width - mask.padding, rect.minY() + shadow.offset.height - mask.padding);
    cairo_scale(cr_, 1 / mask.scale, 1 / mask.scale);
    cairo_mask_surface(cr_, mask.surface, 0, 0);
    cairo_restore(cr_);
}

void Painter::drawImage(const Image& image, const Rect& rect, std::optional<Color> tint) {
    if (rect.isEmpty()) return;
    cairo_save(cr_);
    if (image.isTemplate()) setColor(cr_, tint.value_or(Color::black()));
    image.draw(cr_, rect);
    cairo_restore(cr_);
}

void Painter::drawText(const TextLayout& layout, Point origin) { layout.draw(cr_, origin); }

void Painter::beginGroup() { cairo_push_group(cr_); }

void Painter::endGroup(double alpha) {
    cairo_pop_group_to_source(cr_);
    cairo_paint_with_alpha(cr_, std::clamp(alpha, 0.0, 1.0));
}

} // namespace tvkit
