#pragma once
// The arrow of an expandable card: a triangle pointing up when the card is expanded and down when
// it is collapsed, 12 x 12, tinted, centred in the view.
//
//   auto arrow = tvkit::View::make<qvtv::ExpandCollapseImageView>(textColor.withAlpha(0.5), category->isExpanded);

#include <memory>

#include "tvkit/view/ImageView.h"

namespace qvtv {

class ExpandCollapseImageView : public tvkit::View {
public:
    static constexpr double imageSide = 12;

    ExpandCollapseImageView(tvkit::Color tintColor, bool expanded);
    std::string_view className() const override { return "ExpandCollapseImageView"; }

    const std::shared_ptr<tvkit::ImageView>& imageView() const { return imageView_; }

private:
    std::shared_ptr<tvkit::ImageView> imageView_;
};

} // namespace qvtv
