#include "QVTVConsent/ui/controls/QVPaddedLabel.h"

#include "tvkit/focus/FocusLook.h"
#include "tvkit/graphics/AffineTransform.h"

namespace qvtv {

void QVPaddedLabel::draw(tvkit::Painter& painter) const { drawText(painter, bounds().inset(padding_)); }

tvkit::Size QVPaddedLabel::intrinsicContentSize() const {
    tvkit::Size text = measuredTextSize(padding_.horizontal());
    return {text.width + padding_.horizontal(), text.height + padding_.vertical()};
}

bool QVPaddedLabel::canBecomeFocused() const {
    return canBecomeFocusedOverrideValue.value_or(tvkit::Label::canBecomeFocused());
}

void QVPaddedLabel::didUpdateFocus(const tvkit::FocusUpdateContext& context,
                                   tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::Label::didUpdateFocus(context, coordinator);
    if (!canBecomeFocusedOverrideValue) return;
    tvkit::addFocusLook(
        *this, context, coordinator,
        [this] { setTransform(tvkit::AffineTransform::scale(focusedScale, focusedScale)); },
        [this] { setTransform(tvkit::AffineTransform::scale(unfocusedScale, unfocusedScale)); });
}

} // namespace qvtv
