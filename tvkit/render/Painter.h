#pragma once
// Drawing operations on a Bitmap, in points, over one Cairo context: filled and stroked rounded
// rectangles, blurred shadows, images with tint, laid-out text, transforms, clips and alpha
// groups. The renderer draws the view tree with it; tests and tools use it directly.
//
//   Bitmap frame(320, 200);
//   Painter p(frame);
//   p.fillRoundedRect({10, 10, 100, 40}, 8, Color::white());
//   p.drawImage(*SymbolImage::named("square"), {20, 60, 24, 24}, Color::black());

#include "tvkit/graphics/AffineTransform.h"
#include "tvkit/graphics/Color.h"
#include "tvkit/graphics/Image.h"
#include "tvkit/graphics/Rect.h"
#include "tvkit/render/Bitmap.h"

#include <optional>
#include <vector>

namespace tvkit {

class ShadowCache;
class TextLayout;

struct Shadow {
    Color color = Color::black();
    double opacity = 0;  // 0 means no shadow
    double radius = 3;   // blur radius in points
    Size offset{0, -3};
    friend bool operator==(const Shadow&, const Shadow&) = default;
};

class Painter {
public:
    // Draws into `target`; `scale` device pixels per point (2 for a 4K frame of a 1080p UI).
    explicit Painter(Bitmap& target, double scale = 1);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    cairo_t* context() { return cr_; }
    double scale() const { return scale_; }

    void save();
    void restore();
    void translate(double x, double y);
    void concat(const AffineTransform& transform);
    void clipRoundedRect(const Rect& rect, double cornerRadius);
    // Limits drawing to the union of `rects`, given in device pixels (damage rectangles).
    void clipDevice(const std::vector<Rect>& rects);

    void clear(Color color);
    void fillRoundedRect(const Rect& rect, double cornerRadius, Color color);
    // A border inside `rect`, as layer borders are drawn.
    void strokeRoundedRect(const Rect& rect, double cornerRadius, double width, Color color);
    // The shadow a rounded rectangle casts, from `cache`. When the caller fills the rectangle
    // opaquely afterwards (`filledOpaquely`), the part it will cover is not composited: a large
    // card's shadow then costs its rim, not its area.
    void drawShadow(const Rect& rect, double cornerRadius, const Shadow& shadow, ShadowCache& cache,
                    bool filledOpaquely = false);
    // Template images are painted in `tint` (black when none).
    void drawImage(const Image& image, const Rect& rect, std::optional<Color> tint = std::nullopt);
    void drawText(const TextLayout& layout, Point origin);

    // Everything drawn until endGroup() is composited at once with `alpha`.
    void beginGroup();
    void endGroup(double alpha);

private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
    double scale_;
};

} // namespace tvkit
