#include "QVTVConsent/ui/preferences/QVSwitchButton.h"

#include <algorithm>

#include "QVTVConsent/ui/controls/AccessibilityText.h"
#include "tvkit/view/Animator.h"

namespace qvtv {

namespace {
constexpr double toggleDuration = 0.1;
constexpr double thumbInset = 3;
} // namespace

std::string QVSwitchButton::accessibilityValue() const { return AccessibilityText::onOff(isCheckedInternal_); }

QVSwitchButton::QVSwitchButton(std::optional<bool> canBecomeFocused, FocusChange focusChange)
    : onFocusChange(std::move(focusChange)), canBecomeFocusedOverrideValue(canBecomeFocused) {
    build();
}

QVSwitchButton::QVSwitchButton(const tvkit::Rect& frame) : tvkit::Control(frame) { build(); }

void QVSwitchButton::build() {
    setUserInteractionEnabled(true);
    setClipsToBounds(false);
    trackView_ = tvkit::View::make();
    trackView_->setBackgroundColor(offTintColor_);
    trackView_->layer().setBorderWidth(1);
    trackView_->layer().setBorderColor(tvkit::Color::black().withAlpha(0.05));
    thumbView_ = tvkit::View::make();
    thumbView_->setBackgroundColor(thumbColor_);
    thumbView_->layer().setShadow(tvkit::Color::black(), 0.15, 3, {0, 1});
    addSubview(trackView_);
    addSubview(thumbView_);
    addAction([this](tvkit::Control&) { onToggle(); }, tvkit::ControlEvent::primaryActionTriggered);
}

void QVSwitchButton::setChecked(bool checked, bool animated) {
    isCheckedInternal_ = checked;
    if (!animated) {
        tvkit::performWithoutAnimation([this] { applyState(); });
        return;
    }
    tvkit::animate(toggleDuration, [this] { applyState(); });
}

void QVSwitchButton::setOnTintColor(tvkit::Color color) {
    onTintColor_ = color;
    applyState();
}

void QVSwitchButton::setOffTintColor(tvkit::Color color) {
    offTintColor_ = color;
    applyState();
}

void QVSwitchButton::setTrackAndThumbAlpha(double alpha) {
    trackView_->setAlpha(alpha);
    thumbView_->setAlpha(alpha);
}

void QVSwitchButton::onToggle() {
    if (!isEnabled()) return;
    setChecked(!isCheckedInternal_, true);
    if (checkedChangeListener) checkedChangeListener(isCheckedInternal_);
}

void QVSwitchButton::applyState() {
    trackView_->setBackgroundColor(isCheckedInternal_ ? onTintColor_ : offTintColor_);
    const tvkit::Size size = bounds().size;
    trackView_->setFrame({{0, 0}, size});
    trackView_->layer().setCornerRadius(size.height / 2);
    const double side = std::max(0.0, size.height - 2 * thumbInset);
    const double x = isCheckedInternal_ ? size.width - side - thumbInset : thumbInset;
    thumbView_->setFrame({{x, thumbInset}, {side, side}});
    thumbView_->layer().setCornerRadius(side / 2);
}

void QVSwitchButton::layoutSubviews() {
    tvkit::Control::layoutSubviews();
    applyState();
}

void QVSwitchButton::didUpdateFocus(const tvkit::FocusUpdateContext& context,
                                    tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::Control::didUpdateFocus(context, coordinator);
    if (!onFocusChange) return;
    if (context.nextFocusedView() == this) {
        onFocusChange(true, coordinator);
    } else if (context.previouslyFocusedView() == this) {
        onFocusChange(false, coordinator);
    }
}

} // namespace qvtv
