#include "tvkit/view/Layer.h"

#include "tvkit/view/View.h"

namespace tvkit {

void Layer::willChange() { owner_.willChangeAnimatableProperty(); }
void Layer::didChange() { owner_.setNeedsDisplay(); }

void Layer::setMasksToBounds(bool v) {
    masksToBounds_ = v;
    owner_.setNeedsDisplay();
}

} // namespace tvkit
