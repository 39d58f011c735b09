#pragma once
// An Image backed by decoded pixels, smoothly resampled when drawn at another size.
//
//   auto logo = std::make_shared<BitmapImage>(std::move(bitmap));
//   logo->size();   // the pixel size, in points

#include "tvkit/graphics/Image.h"
#include "tvkit/render/Bitmap.h"

namespace tvkit {

class BitmapImage : public Image {
public:
    explicit BitmapImage(Bitmap bitmap, bool isTemplate = false);
    ~BitmapImage() override;

    Size size() const override { return {static_cast<double>(bitmap_.width()), static_cast<double>(bitmap_.height())}; }
    bool isTemplate() const override { return template_; }
    void draw(cairo_t* cr, const Rect& rect) const override;
    const Bitmap& bitmap() const { return bitmap_; }

private:
    Bitmap bitmap_;
    bool template_;
    cairo_surface_t* surface_;  // over bitmap_, owned
};

} // namespace tvkit
