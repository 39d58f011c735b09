#include "tvkit/view/ImageView.h"

#include "tvkit/render/Painter.h"

#include <algorithm>

namespace tvkit {

void ImageView::setImage(std::shared_ptr<const Image> image) {
    image_ = std::move(image);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void ImageView::setContentMode(ContentMode mode) {
    mode_ = mode;
    setNeedsDisplay();
}

void ImageView::setTintColor(Color color) {
    tint_ = color;
    setNeedsDisplay();
}

Size ImageView::intrinsicContentSize() const {
    if (!image_) return {noIntrinsicMetric, noIntrinsicMetric};
    return image_->size();
}

void ImageView::draw(Painter& painter) const {
    if (!image_) return;
    const Rect b = bounds();
    painter.save();
    painter.clipRoundedRect(b, 0);  // aspect-fill must not spill out
    painter.drawImage(*image_, imageRect().offsetBy(b.minX(), b.minY()), tint_);
    painter.restore();
}

Rect ImageView::imageRect() const {
    Rect b{{0, 0}, frame().size};
    if (!image_ || mode_ == ContentMode::scaleToFill) return b;
    Size s = image_->size();
    if (s.isEmpty()) return b;
    double scale = 1;
    if (mode_ == ContentMode::scaleAspectFit) scale = std::min(b.width() / s.width, b.height() / s.height);
    if (mode_ == ContentMode::scaleAspectFill) scale = std::max(b.width() / s.width, b.height() / s.height);
    Size fitted{s.width * scale, s.height * scale};
    return {b.midX() - fitted.width / 2, b.midY() - fitted.height / 2, fitted.width, fitted.height};
}

} // namespace tvkit
