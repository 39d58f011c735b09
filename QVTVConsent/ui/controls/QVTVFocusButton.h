#pragma once
// The focusable button of the consent screens: it grows and casts a deeper shadow while it
// has focus, and a stroked button thickens its border. Screens build it from a template
// button with UIViewUtils::makeButton rather than by hand.
//
//   auto accept = qvtv::UIViewUtils::makeButton(banner.acceptButton);
//   accept->addAction([this](tvkit::Control&) { handleAccept(); }, tvkit::ControlEvent::primaryActionTriggered);

#include "tvkit/view/Button.h"

#include <optional>

namespace qvtv {

class QVTVFocusButton : public tvkit::Button {
public:
    // Neither clips nor masks, so the shadow and the grown button may draw outside the bounds.
    explicit QVTVFocusButton(const tvkit::Rect& frame = {});
    std::string_view className() const override { return "QVTVFocusButton"; }

    // Border widths applied when focus arrives or leaves; none leaves the border alone.
    void setUnfocusedBorderWidth(std::optional<double> width) { unfocusedBorderWidth_ = width; }
    void setFocusedBorderWidth(std::optional<double> width) { focusedBorderWidth_ = width; }

    // The resting shadow: black, opacity 0.15, radius 6, offset (0, 4).
    void prepareDefaultShadow();

    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

private:
    std::optional<double> unfocusedBorderWidth_;
    std::optional<double> focusedBorderWidth_;
};

} // namespace qvtv
