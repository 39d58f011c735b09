#pragma once
// The scroll container of the consent screens: clear, laid out by constraints, scrolling
// vertically only. setContent pins one view to the content guide at the frame's width, so the
// content's own height decides how far it scrolls. It takes focus unless told otherwise (a
// long text with nothing focusable inside is scrolled with the arrows while focused).
//
//   auto scroll = tvkit::View::make<qvtv::QVScrollView>(false);   // focus goes to its content
//   scroll->setContent(stack, {0, 0, 0, 0});

#include "tvkit/graphics/EdgeInsets.h"
#include "tvkit/view/ScrollView.h"

#include <memory>
#include <optional>

namespace qvtv {

class QVScrollView : public tvkit::ScrollView {
public:
    // No value means focusable.
    explicit QVScrollView(std::optional<bool> canBecomeFocused = std::nullopt);
    std::string_view className() const override { return "QVScrollView"; }

    bool canBecomeFocused() const override { return canBecomeFocused_.value_or(true); }

    // Replaces every subview with `content`, inset by `insets` from the content guide's edges
    // and as wide as the frame guide less the side insets.
    void setContent(std::shared_ptr<tvkit::View> content, const tvkit::EdgeInsets& insets);

private:
    std::optional<bool> canBecomeFocused_;
};

} // namespace qvtv
