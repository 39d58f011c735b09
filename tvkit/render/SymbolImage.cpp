#include "tvkit/render/SymbolImage.h"

#include <cairo.h>

#include <array>
#include <cmath>
#include <string>
#include <utility>

namespace tvkit {

namespace {

void roundedSquare(cairo_t* cr, double inset, double radius) {
    const double a = inset;
    const double b = 1 - inset;
    cairo_new_sub_path(cr);
    cairo_arc(cr, b - radius, a + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, b - radius, b - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, a + radius, b - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, a + radius, a + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void triangle(cairo_t* cr, bool up) {
    const double top = up ? 0.2 : 0.8;
    const double base = up ? 0.8 : 0.2;
    cairo_move_to(cr, 0.5, top);
    cairo_line_to(cr, 0.9, base);
    cairo_line_to(cr, 0.1, base);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 0.08);
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
}

} // namespace

std::shared_ptr<const Image> SymbolImage::named(std::string_view name) {
    static const std::array<std::pair<const char*, std::shared_ptr<const Image>>, 6> symbols{{
        {"circle", std::make_shared<SymbolImage>(Shape::circle)},
        {"largecircle.fill.circle", std::make_shared<SymbolImage>(Shape::largeCircleFillCircle)},
        {"checkmark.square.fill", std::make_shared<SymbolImage>(Shape::checkmarkSquareFill)},
        {"square", std::make_shared<SymbolImage>(Shape::square)},
        {"arrowtriangle.up.fill", std::make_shared<SymbolImage>(Shape::arrowUpFill)},
        {"arrowtriangle.down.fill", std::make_shared<SymbolImage>(Shape::arrowDownFill)},
    }};
    for (const auto& [key, image] : symbols) {
        if (name == key) return image;
    }
    return nullptr;
}

void SymbolImage::draw(cairo_t* cr, const Rect& rect) const {
    if (rect.isEmpty()) return;
    cairo_save(cr);
    // Shapes are drawn into a group in a unit square, then the group's coverage is painted with
    // the caller's source (the tint), so knocked-out parts stay transparent.
    cairo_push_group(cr);
    cairo_translate(cr, rect.minX(), rect.minY());
    cairo_scale(cr, rect.width(), rect.height());
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    switch (shape_) {
    case Shape::circle:
        cairo_arc(cr, 0.5, 0.5, 0.42, 0, 2 * M_PI);
        cairo_set_line_width(cr, 0.08);
        cairo_stroke(cr);
        break;
    case Shape::largeCircleFillCircle:
        cairo_arc(cr, 0.5, 0.5, 0.42, 0, 2 * M_PI);
        cairo_set_line_width(cr, 0.08);
        cairo_stroke(cr);
        cairo_arc(cr, 0.5, 0.5, 0.22, 0, 2 * M_PI);
        cairo_fill(cr);
        break;
    case Shape::square:
        roundedSquare(cr, 0.1, 0.16);
        cairo_set_line_width(cr, 0.08);
        cairo_stroke(cr);
        break;
    case Shape::checkmarkSquareFill:
        roundedSquare(cr, 0.06, 0.18);
        cairo_fill(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        cairo_move_to(cr, 0.27, 0.52);
        cairo_line_to(cr, 0.43, 0.68);
        cairo_line_to(cr, 0.73, 0.33);
        cairo_set_line_width(cr, 0.11);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        break;
    case Shape::arrowUpFill: triangle(cr, true); break;
    case Shape::arrowDownFill: triangle(cr, false); break;
    }
    cairo_pattern_t* coverage = cairo_pop_group(cr);
    cairo_mask(cr, coverage);
    cairo_pattern_destroy(coverage);
    cairo_restore(cr);
}

} // namespace tvkit
