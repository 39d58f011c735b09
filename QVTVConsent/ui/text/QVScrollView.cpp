#include "QVTVConsent/ui/text/QVScrollView.h"

#include "tvkit/layout/LayoutConstraint.h"

namespace qvtv {

QVScrollView::QVScrollView(std::optional<bool> canBecomeFocused) : canBecomeFocused_(canBecomeFocused) {
    setBackgroundColor(tvkit::Color::clear());
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setShowsVerticalScrollIndicator(true);
}

void QVScrollView::setContent(std::shared_ptr<tvkit::View> content, const tvkit::EdgeInsets& insets) {
    removeAllSubviews();
    tvkit::View& view = *content;
    addSubview(std::move(content));
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    tvkit::LayoutGuide& guide = contentLayoutGuide();
    tvkit::LayoutConstraint::activate({
        view.leadingAnchor().equalTo(guide.leadingAnchor(), insets.left),
        view.trailingAnchor().equalTo(guide.trailingAnchor(), -insets.right),
        view.topAnchor().equalTo(guide.topAnchor(), insets.top),
        view.bottomAnchor().equalTo(guide.bottomAnchor(), -insets.bottom),
        view.widthAnchor().equalToMultiple(frameLayoutGuide().widthAnchor(), 1, -insets.horizontal()),
    });
}

} // namespace qvtv
