#include "QVTVConsent/ui/controls/QVFocusLift.h"

#include "tvkit/focus/FocusLook.h"
#include "tvkit/graphics/AffineTransform.h"

namespace qvtv {

void QVFocusLift::apply(tvkit::View& view, bool focused) {
    const double scale = focused ? focusedScale : 1.0;
    view.setTransform(tvkit::AffineTransform::scale(scale, scale));
    view.layer().setShadowOpacity(focused ? shadowOpacityFocused : shadowOpacityUnfocused);
    view.layer().setShadowRadius(focused ? shadowRadiusFocused : shadowRadiusUnfocused);
    view.layer().setShadowOffset(focused ? shadowOffsetFocused : shadowOffsetUnfocused);
}

void QVFocusLift::add(tvkit::View& view, const tvkit::FocusUpdateContext& context,
                      tvkit::FocusAnimationCoordinator& coordinator, std::function<void(bool focused)> alsoAnimate) {
    auto step = [&view, alsoAnimate = std::move(alsoAnimate)](bool focused) {
        return [&view, alsoAnimate, focused] {
            apply(view, focused);
            if (alsoAnimate) alsoAnimate(focused);
        };
    };
    tvkit::addFocusLook(view, context, coordinator, step(true), step(false));
}

} // namespace qvtv
