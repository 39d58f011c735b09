#pragma once
// Holds one view inset by fixed margins on each side, such as the banner's logo with 10 points
// all round. It is made only from the content view and the insets.
//
//   auto logo = std::make_shared<qvtv::QVPaddingView<qvtv::QVRemoteImageView>>(image, tvkit::EdgeInsets::all(10));
//   logo->contentView->loadFallback("qv_logo");

#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/view/View.h"

#include <memory>

namespace qvtv {

template <class T>
class QVPaddingView : public tvkit::View {
public:
    const std::shared_ptr<T> contentView;

    QVPaddingView(std::shared_ptr<T> content, tvkit::EdgeInsets insets) : contentView(std::move(content)) {
        addSubview(contentView);
        contentView->setTranslatesAutoresizingMaskIntoConstraints(false);
        tvkit::LayoutConstraint::activate({
            contentView->topAnchor().equalTo(topAnchor(), insets.top),
            contentView->bottomAnchor().equalTo(bottomAnchor(), -insets.bottom),
            contentView->leadingAnchor().equalTo(leadingAnchor(), insets.left),
            contentView->trailingAnchor().equalTo(trailingAnchor(), -insets.right),
        });
    }
    std::string_view className() const override { return "QVPaddingView"; }
};

} // namespace qvtv
