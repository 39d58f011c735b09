#pragma once
// A small control that shows one of two views, built on demand for its on/off state: the expand
// indicator of the settings cards. Select flips it when it can take focus; the cards flip it
// themselves (isOn, then render) when it cannot.
//
//   auto arrow = std::make_shared<qvtv::QVToggleButton>(
//       [](bool on) { return tvkit::View::make<qvtv::ExpandCollapseImageView>(tint, on); },
//       [](qvtv::QVToggleButton&) {}, 12.0, /*isOn=*/false, /*enabled=*/true, false, nullptr);

#include <functional>
#include <memory>
#include <optional>

#include "tvkit/view/Control.h"

namespace qvtv {

class QVToggleButton : public tvkit::Control {
public:
    using ViewBuilder = std::function<std::shared_ptr<tvkit::View>(bool isOn)>;
    using Action = std::function<void(QVToggleButton&)>;
    using FocusChange = std::function<void(bool focused, tvkit::FocusAnimationCoordinator& coordinator)>;

    static constexpr double focusedScale = 1.12;
    static constexpr double unfocusedScale = 1.0;
    static constexpr double shadowOpacityFocused = 0.45;
    static constexpr double shadowOpacityUnfocused = 0.15;
    static constexpr double shadowRadiusFocused = 22;
    static constexpr double shadowRadiusUnfocused = 6;
    static constexpr tvkit::Size shadowOffsetFocused{0, 12};
    static constexpr tvkit::Size shadowOffsetUnfocused{0, 4};

    QVToggleButton(ViewBuilder viewBuilder, Action action, std::optional<double> viewSize, bool isOn, bool isEnabled,
                   std::optional<bool> canBecomeFocused, FocusChange onFocusChange);

    std::string_view className() const override { return "QVToggleButton"; }

    // Shows the view the builder makes for the current `isOn`, replacing the one shown so far.
    void render();
    // The primary action: flips `isOn`, renders and runs the action (only while enabled).
    void onTap();

    bool isOn;
    bool isEnabledValue;
    std::optional<bool> canBecomeFocusedValue;
    FocusChange onFocusChange;
    tvkit::View* oldView() const { return oldView_.get(); }

    bool canBecomeFocused() const override { return canBecomeFocusedValue.value_or(true); }
    void pressesEnded(const tvkit::PressSet& presses) override;
    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

private:
    ViewBuilder viewBuilder_;
    Action action_;
    std::optional<double> viewSize_;
    std::shared_ptr<tvkit::View> oldView_;
};

} // namespace qvtv
