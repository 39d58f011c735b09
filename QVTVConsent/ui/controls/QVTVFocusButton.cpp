#include "QVTVConsent/ui/controls/QVTVFocusButton.h"

#include "tvkit/focus/FocusLook.h"
#include "tvkit/graphics/AffineTransform.h"

namespace qvtv {

QVTVFocusButton::QVTVFocusButton(const tvkit::Rect& frame) {
    setFrame(frame);
    setClipsToBounds(false);
    layer().setMasksToBounds(false);
}

void QVTVFocusButton::prepareDefaultShadow() {
    layer().setShadow(tvkit::Color::black(), shadowOpacityUnfocused, shadowRadiusUnfocused, shadowOffsetUnfocused);
}

void QVTVFocusButton::didUpdateFocus(const tvkit::FocusUpdateContext& context,
                                     tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::Button::didUpdateFocus(context, coordinator);
    tvkit::addFocusLook(
        *this, context, coordinator,
        [this] {
            setTransform(tvkit::AffineTransform::scale(focusedScale, focusedScale));
            layer().setShadowOpacity(shadowOpacityFocused);
            layer().setShadowRadius(shadowRadiusFocused);
            layer().setShadowOffset(shadowOffsetFocused);
            if (focusedBorderWidth_) layer().setBorderWidth(*focusedBorderWidth_);
        },
        [this] {
            setTransform(tvkit::AffineTransform::scale(unfocusedScale, unfocusedScale));
            layer().setShadowOpacity(shadowOpacityUnfocused);
            layer().setShadowRadius(shadowRadiusUnfocused);
            layer().setShadowOffset(shadowOffsetUnfocused);
            if (unfocusedBorderWidth_) layer().setBorderWidth(*unfocusedBorderWidth_);
        });
}

} // namespace qvtv
