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

void Painter::drawShadow(const Rect& rect, double cornerRadius, const Shadow& shadow, ShadowCache& cache) {
    if (rect.isEmpty() || shadow.opacity <= 0 || shadow.color.alpha <= 0) return;
    // Masks are made at the device scale of the current transform, so a scaled button's shadow
    // is as soft as a native one.
    double dx = 1, dy = 0;
    cairo_user_to_device_distance(cr_, &dx, &dy);
    const double deviceScale = std::max(0.01, std::hypot(dx, dy));
    const ShadowCache::Mask& mask = cache.mask(rect.size, cornerRadius, shadow.radius, deviceScale);
    cairo_save(cr_);
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
