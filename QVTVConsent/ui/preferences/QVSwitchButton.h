#pragma once
// The on/off switch of the settings tab: a rounded track and a round thumb that slides to the
// trailing end when on. The cards drive it (setChecked) rather than the switch handling presses,
// so a press on a focused switch reaches the card around it.
//
//   auto toggle = tvkit::View::make<qvtv::QVSwitchButton>(false, nullptr);
//   toggle->setOnTintColor(qvtv::ColorUtils::fromHex("#008471"));
//   toggle->setChecked(true, /*animated=*/false);

#include <functional>
#include <memory>
#include <optional>

#include "tvkit/view/Control.h"

namespace qvtv {

class QVSwitchButton : public tvkit::Control {
public:
    using FocusChange = std::function<void(bool focused, tvkit::FocusAnimationCoordinator& coordinator)>;

    QVSwitchButton(std::optional<bool> canBecomeFocused, FocusChange onFocusChange);
    // Takes no focus callback and leaves focusability to the default (focusable).
    explicit QVSwitchButton(const tvkit::Rect& frame);

    std::string_view className() const override { return "QVSwitchButton"; }

    bool isChecked() const { return isCheckedInternal_; }
    // Moves the thumb and recolours the track; animated over 0.1 s when asked.
    void setChecked(bool checked, bool animated);
    // "on" or "off".
    std::string accessibilityValue() const override;
    void setOnTintColor(tvkit::Color color);
    tvkit::Color offTintColor() const { return offTintColor_; }
    void setOffTintColor(tvkit::Color color);
    // Hides track and thumb without removing the switch from its row.
    void setTrackAndThumbAlpha(double alpha);

    // Called after the switch itself flipped its value (its primary action).
    std::function<void(bool)> checkedChangeListener;
    FocusChange onFocusChange;

    const std::shared_ptr<tvkit::View>& trackView() const { return trackView_; }
    const std::shared_ptr<tvkit::View>& thumbView() const { return thumbView_; }

    void layoutSubviews() override;
    bool canBecomeFocused() const override { return canBecomeFocusedOverrideValue.value_or(true); }
    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

    std::optional<bool> canBecomeFocusedOverrideValue;

private:
    void build();
    void onToggle();
    void applyState();

    bool isCheckedInternal_ = false;
    tvkit::Color onTintColor_ = tvkit::Color::fromRGBA8(0x34, 0xC7, 0x59);
    tvkit::Color offTintColor_ = tvkit::Color::gray(0.56);
    tvkit::Color thumbColor_ = tvkit::Color::white();
    std::shared_ptr<tvkit::View> trackView_;
    std::shared_ptr<tvkit::View> thumbView_;
};

} // namespace qvtv
