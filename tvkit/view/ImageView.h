#pragma once
// Shows an image (an opaque shared handle the renderer draws) scaled by a content mode, with
// a tint colour for template images such as symbols. Its intrinsic size is the image's.
//
//   auto box = View::make<ImageView>(SymbolImage::named("square"));
//   box->setContentMode(ImageView::ContentMode::scaleAspectFit);
//   box->setTintColor(Color::white());

#include "tvkit/graphics/Image.h"
#include "tvkit/view/View.h"

#include <memory>

namespace tvkit {

class ImageView : public View {
public:
    enum class ContentMode { scaleToFill, scaleAspectFit, scaleAspectFill, center };

    ImageView() = default;
    explicit ImageView(std::shared_ptr<const Image> image) : image_(std::move(image)) {}
    std::string_view className() const override { return "ImageView"; }

    const std::shared_ptr<const Image>& image() const { return image_; }
    void setImage(std::shared_ptr<const Image> image);
    ContentMode contentMode() const { return mode_; }
    void setContentMode(ContentMode mode);
    Color tintColor() const { return tint_; }
    void setTintColor(Color color);

    // Where the image lands inside the bounds under the content mode.
    Rect imageRect() const;
    Size intrinsicContentSize() const override;
    void draw(Painter& painter) const override;

private:
    std::shared_ptr<const Image> image_;
    ContentMode mode_ = ContentMode::scaleToFill;
    Color tint_ = Color::fromRGBA8(0x00, 0x7A, 0xFF);
};

} // namespace tvkit
