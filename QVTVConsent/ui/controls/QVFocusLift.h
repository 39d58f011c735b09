#pragma once
// The focus look the consent screens' controls share: with focus a control grows by an eighth
// and casts a deeper, wider shadow; without it, it rests at full size over a shallow shadow. Only
// the scale and the shadow's depth change, so each control keeps the shadow colour it was given.
//
//   void didUpdateFocus(const tvkit::FocusUpdateContext& c, tvkit::FocusAnimationCoordinator& coordinator) override {
//       tvkit::Control::didUpdateFocus(c, coordinator);
//       qvtv::QVFocusLift::add(*this, c, coordinator, [this](bool focused) { tint(focused); });
//   }

#include "tvkit/focus/FocusAnimationCoordinator.h"
#include "tvkit/focus/FocusUpdateContext.h"
#include "tvkit/view/View.h"

#include <functional>

namespace qvtv {

class QVFocusLift {
public:
    static constexpr double focusedScale = 1.12;
    static constexpr double shadowOpacityFocused = 0.45;
    static constexpr double shadowOpacityUnfocused = 0.15;
    static constexpr double shadowRadiusFocused = 22;
    static constexpr double shadowRadiusUnfocused = 6;
    static constexpr tvkit::Size shadowOffsetFocused{0, 12};
    static constexpr tvkit::Size shadowOffsetUnfocused{0, 4};

    // Sets the view's scale and shadow depth for `focused`.
    static void apply(tvkit::View& view, bool focused);
    // When the update moves focus to or from `view`, animates the lift with the focus move and
    // then runs `alsoAnimate` (told whether focus arrived) in the same animation.
    static void add(tvkit::View& view, const tvkit::FocusUpdateContext& context,
                    tvkit::FocusAnimationCoordinator& coordinator, std::function<void(bool focused)> alsoAnimate = {});
};

} // namespace qvtv
