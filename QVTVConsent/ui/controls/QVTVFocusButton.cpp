#include "QVTVConsent/ui/controls/QVTVFocusButton.h"

#include "QVTVConsent/ui/controls/QVFocusLift.h"

namespace qvtv {

QVTVFocusButton::QVTVFocusButton(const tvkit::Rect& frame) {
    setFrame(frame);
    setClipsToBounds(false);
    layer().setMasksToBounds(false);
}

void QVTVFocusButton::prepareDefaultShadow() {
    layer().setShadow(tvkit::Color::black(), QVFocusLift::shadowOpacityUnfocused, QVFocusLift::shadowRadiusUnfocused,
                      QVFocusLift::shadowOffsetUnfocused);
}

void QVTVFocusButton::didUpdateFocus(const tvkit::FocusUpdateContext& context,
                                     tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::Button::didUpdateFocus(context, coordinator);
    QVFocusLift::add(*this, context, coordinator, [this](bool focused) {
        const std::optional<double> border = focused ? focusedBorderWidth_ : unfocusedBorderWidth_;
        if (border) layer().setBorderWidth(*border);
    });
}

} // namespace qvtv
