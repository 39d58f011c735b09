#pragma once
// A label that keeps its text `padding` away from its edges (toasts, form captions) and can be
// made focusable, growing slightly while it has focus.
//
//   auto caption = tvkit::View::make<qvtv::QVPaddedLabel>(tvkit::EdgeInsets{8, 16, 8, 16});
//   caption->setText("Saved");
//   caption->canBecomeFocusedOverrideValue = true;   // takes focus, scales to 1.025

#include "tvkit/view/Label.h"

#include <optional>

namespace qvtv {

class QVPaddedLabel : public tvkit::Label {
public:
    const double focusedScale = 1.025;
    const double unfocusedScale = 1.0;
    // When set, decides whether the label takes focus (a plain label does not).
    std::optional<bool> canBecomeFocusedOverrideValue;

    explicit QVPaddedLabel(tvkit::EdgeInsets padding = {}) : padding_(padding) {}
    std::string_view className() const override { return "QVPaddedLabel"; }

    void draw(tvkit::Painter& painter) const override;
    tvkit::Size intrinsicContentSize() const override;
    bool canBecomeFocused() const override;
    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

private:
    tvkit::EdgeInsets padding_;
};

} // namespace qvtv
