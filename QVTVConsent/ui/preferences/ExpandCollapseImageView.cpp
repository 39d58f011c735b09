#include "QVTVConsent/ui/preferences/ExpandCollapseImageView.h"

#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/render/SymbolImage.h"

namespace qvtv {

ExpandCollapseImageView::ExpandCollapseImageView(tvkit::Color tintColor, bool expanded) {
    imageView_ = tvkit::View::make<tvkit::ImageView>(
        tvkit::SymbolImage::named(expanded ? "arrowtriangle.up.fill" : "arrowtriangle.down.fill"));
    imageView_->setTintColor(tintColor);
    imageView_->setContentMode(tvkit::ImageView::ContentMode::scaleAspectFit);
    imageView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    addSubview(imageView_);
    tvkit::LayoutConstraint::activate({imageView_->widthAnchor().equalToConstant(imageSide),
                                       imageView_->heightAnchor().equalToConstant(imageSide),
                                       imageView_->centerXAnchor().equalTo(centerXAnchor()),
                                       imageView_->centerYAnchor().equalTo(centerYAnchor())});
}

} // namespace qvtv
