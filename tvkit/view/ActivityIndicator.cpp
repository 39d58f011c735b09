#include "tvkit/view/ActivityIndicator.h"

namespace tvkit {

ActivityIndicator::ActivityIndicator(Style style) : style_(style) { setHidden(true); }

void ActivityIndicator::setColor(Color color) {
    color_ = color;
    setNeedsDisplay();
}

void ActivityIndicator::startAnimating() {
    animating_ = true;
    setHidden(false);
    setNeedsDisplay();
}

void ActivityIndicator::stopAnimating() {
    animating_ = false;
    setHidden(true);
    setNeedsDisplay();
}

Size ActivityIndicator::intrinsicContentSize() const {
    double side = style_ == Style::large ? 64 : 32;
    return {side, side};
}

} // namespace tvkit
