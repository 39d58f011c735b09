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

// The whole device pixels inside the user-space rectangle `r` under the axis-aligned `m`, less
// `margin` pixels on each side (empty when none are).
cairo_rectangle_int_t pixelsInside(const cairo_matrix_t& m, const Rect& r, int margin) {
    const double ax = m.xx * r.minX() + m.x0, bx = m.xx * r.maxX() + m.x0;
    const double ay = m.yy * r.minY() + m.y0, by = m.yy * r.maxY() + m.y0;
    const double left = std::ceil(std::min(ax, bx)) + margin, right = std::floor(std::max(ax, bx)) - margin;
    const double top = std::ceil(std::min(ay, by)) + margin, bottom = std::floor(std::max(ay, by)) - margin;
    if (right <= left || bottom <= top) return {0, 0, 0, 0};
    const double limit = 1 << 28;  // far beyond any frame, well inside an int
    auto clamp = [&](double v) { return static_cast<int>(std::clamp(v, -limit, limit)); };
    return {clamp(left), clamp(top), clamp(right) - clamp(left), clamp(bottom) - clamp(top)};
}

// Adds the device pixels that a fill of the rounded rectangle `rect` covers fully: the cross of
// a full-width band between the corners and a full-height column, less one pixel for safety.
void addCoveredPixels(cairo_region_t* region, const cairo_matrix_t& m, const Rect& rect, double cornerRadius) {
    const double r = std::clamp(cornerRadius, 0.0, std::min(rect.width(), rect.height()) / 2);
    const cairo_rectangle_int_t band = pixelsInside(m, {rect.minX(), rect.minY() + r, rect.width(), rect.height() - 2 * r}, 1);
    const cairo_rectangle_int_t column = pixelsInside(m, {rect.minX() + r, rect.minY(), rect.width() - 2 * r, rect.height()}, 1);
    cairo_region_union_rectangle(region, &band);
    cairo_region_union_rectangle(region, &column);
}

// Adds the rectangles of `region` (device pixels) to the path, whatever the user transform.
void addRegionPath(cairo_t* cr, const cairo_region_t* region) {
    cairo_matrix_t saved;
    cairo_get_matrix(cr, &saved);
    cairo_identity_matrix(cr);
    for (int i = 0, n = cairo_region_num_rectangles(region); i < n; ++i) {
        cairo_rectangle_int_t box;
        cairo_region_get_rectangle(region, i, &box);
        cairo_rectangle(cr, box.x, box.y, box.width, box.height);
    }
    cairo_set_matrix(cr, &saved);
}

// Limits drawing to the current clip less `region`; whole pixels keep the clip a region, Cairo's
// fast path.
void clipOut(cairo_t* cr, const cairo_region_t* region) {
    if (cairo_region_is_empty(region)) return;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_matrix_t saved;
    cairo_get_matrix(cr, &saved);
    cairo_identity_matrix(cr);
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    cairo_set_matrix(cr, &saved);
    const cairo_rectangle_int_t extents{static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(y0)),
                                        static_cast<int>(std::ceil(x1) - std::floor(x0)),
                                        static_cast<int>(std::ceil(y1) - std::floor(y0))};
    cairo_region_t* rest = cairo_region_create_rectangle(&extents);
    cairo_region_subtract(rest, region);
    addRegionPath(cr, rest);
    cairo_region_destroy(rest);
    cairo_clip(cr);
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
    const Point origin{rect.minX() + shadow.offset.width - mask.padding, rect.minY() + shadow.offset.height - mask.padding};
    cairo_save(cr_);
    setColor(cr_, shadow.color, shadow.opacity);
    cairo_matrix_t m;
    cairo_get_matrix(cr_, &m);
    if (m.xy == 0 && m.yx == 0) {
        // Blending a large mask costs its whole area, so only its soft rim is blended: what the
        // view's own opaque fill will cover is skipped, and where the mask is solid (one pixel in
        // from its solid core, for the sampling of a mask placed between pixels) a plain fill
        // does the same work far faster. Only for axis-aligned transforms, where these are
        // whole-pixel boxes; the solid part only where a mask pixel is a device pixel.
        cairo_region_t* skipped = cairo_region_create();
        if (filledOpaquely) addCoveredPixels(skipped, m, rect, cornerRadius);
        if (std::abs(std::abs(m.xx) - std::abs(m.yy)) < 1e-9 && !mask.core.isEmpty()) {
            const Rect core{origin.x + mask.core.minX() / mask.scale, origin.y + mask.core.minY() / mask.scale,
                            mask.core.width() / mask.scale, mask.core.height() / mask.scale};
            const cairo_rectangle_int_t box = pixelsInside(m, core, 1);
            cairo_region_t* solid = cairo_region_create_rectangle(&box);
            cairo_region_subtract(solid, skipped);
            if (!cairo_region_is_empty(solid)) {
                addRegionPath(cr_, solid);
                cairo_fill(cr_);
            }
            cairo_region_union(skipped, solid);
            cairo_region_destroy(solid);
        }
        clipOut(cr_, skipped);
        cairo_region_destroy(skipped);
    }
    cairo_translate(cr_, origin.x, origin.y);
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
