#include "QVTVConsent/ui/preferences/QVToggleButton.h"

#include "tvkit/layout/LayoutConstraint.h"

namespace qvtv {

QVToggleButton::QVToggleButton(ViewBuilder viewBuilder, Action action, std::optional<double> viewSize, bool on,
                               bool enabled, std::optional<bool> canBecomeFocused, FocusChange focusChange)
    : isOn(on),
      isEnabledValue(enabled),
      canBecomeFocusedValue(canBecomeFocused),
      onFocusChange(std::move(focusChange)),
      viewBuilder_(std::move(viewBuilder)),
      action_(std::move(action)),
      viewSize_(viewSize) {
    // Sized by its owner's constraints, never by a frame of its own.
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setClipsToBounds(false);
    layer().setCornerRadius(6.4);
    setBackgroundColor(tvkit::Color::black().withAlpha(0.05));
    addAction([this](tvkit::Control&) { onTap(); }, tvkit::ControlEvent::primaryActionTriggered);
    render();
}

void QVToggleButton::render() {
    removeAllSubviews();
    oldView_.reset();
    auto view = viewBuilder_ ? viewBuilder_(isOn) : nullptr;
    if (view) {
        view->setTranslatesAutoresizingMaskIntoConstraints(false);
        addSubview(view);
        std::vector<tvkit::ConstraintRef> constraints{
            view->topAnchor().equalTo(topAnchor()), view->bottomAnchor().equalTo(bottomAnchor()),
            view->leadingAnchor().equalTo(leadingAnchor()), view->trailingAnchor().equalTo(trailingAnchor())};
        if (viewSize_) {
            constraints.push_back(view->widthAnchor().equalToConstant(*viewSize_));
            constraints.push_back(view->heightAnchor().equalToConstant(*viewSize_));
        }
        tvkit::LayoutConstraint::activate(constraints);
    }
    setUserInteractionEnabled(isEnabledValue);
    layoutIfNeeded();
    oldView_ = std::move(view);
}

void QVToggleButton::onTap() {
    if (!isEnabledValue) return;
    isOn = !isOn;
    render();
    if (action_) action_(*this);
}

void QVToggleButton::pressesEnded(const tvkit::PressSet& presses) {
    if (!presses.empty() && presses.front().type == tvkit::PressType::select) {
        sendActions(tvkit::ControlEvent::primaryActionTriggered);
    }
    tvkit::Control::pressesEnded(presses);
}

void QVToggleButton::didUpdateFocus(const tvkit::FocusUpdateContext& context,
                                    tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::Control::didUpdateFocus(context, coordinator);
    const bool gained = context.nextFocusedView() == this;
    if (!gained && context.previouslyFocusedView() != this) return;
    coordinator.addCoordinatedAnimations([this, gained] {
        const double scale = gained ? focusedScale : unfocusedScale;
        setTransform(tvkit::AffineTransform::scale(scale, scale));
        layer().setShadowOpacity(gained ? shadowOpacityFocused : shadowOpacityUnfocused);
        layer().setShadowRadius(gained ? shadowRadiusFocused : shadowRadiusUnfocused);
        layer().setShadowOffset(gained ? shadowOffsetFocused : shadowOffsetUnfocused);
    });
    if (onFocusChange) onFocusChange(gained, coordinator);
}

} // namespace qvtv
