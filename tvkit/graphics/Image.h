#pragma once
// An image a view can show: a decoded picture, an SVG, a built-in symbol or a QR code. Images
// are immutable and shared (std::shared_ptr<const Image>); each draws itself scaled into a
// rectangle, so vector images stay crisp at any size. Template images (symbols) are drawn as a
// mask in the view's tint colour.
//
//   std::shared_ptr<const Image> box = SymbolImage::named("checkmark.square.fill");
//   imageView->setImage(box);   // 24 x 24, tinted

#include "tvkit/graphics/Rect.h"
#include "tvkit/graphics/Size.h"

typedef struct _cairo cairo_t;

namespace tvkit {

class Image {
public:
    virtual ~Image() = default;

    // Natural size in points.
    virtual Size size() const = 0;
    // True when only the shape matters and the viewer's tint colour paints it.
    virtual bool isTemplate() const { return false; }
    // Draws the image stretched into `rect` (user space of `cr`). A template image paints with
    // the context's current source, which the caller sets to the tint colour.
    virtual void draw(cairo_t* cr, const Rect& rect) const = 0;
};

} // namespace tvkit
