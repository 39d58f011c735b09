#include "QVTVConsent/ui/preferences/QVToggleButton.h"

#include "tvkit/layout/LayoutConstraint.h"

namespace qvtv {

QVToggleButton::QVToggleButton(ViewBuilder viewBuilder, std::optional<double> viewSize, bool on)
    : isOn(on), viewBuilder_(std::move(viewBuilder)), viewSize_(viewSize) {
    // Sized by its owner's constraints, never by a frame of its own.
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setClipsToBounds(false);
    layer().setCornerRadius(6.4);
    render();
}

void QVToggleButton::render() {
    removeAllSubviews();
    oldView_.reset();
    auto view = viewBuilder_ ? viewBuilder_(isOn) : nullptr;
    if (view) {
        view->setTranslatesAutoresizingMaskIntoConstraints(false);
        addSubview(view);
        std::vector<tvkit::ConstraintRef> constraints{
            view->topAnchor().equalTo(topAnchor()), view->bottomAnchor().equalTo(bottomAnchor()),
            view->leadingAnchor().equalTo(leadingAnchor()), view->trailingAnchor().equalTo(trailingAnchor())};
        if (viewSize_) {
            constraints.push_back(view->widthAnchor().equalToConstant(*viewSize_));
            constraints.push_back(view->heightAnchor().equalToConstant(*viewSize_));
        }
        tvkit::LayoutConstraint::activate(constraints);
    }
    layoutIfNeeded();
    oldView_ = std::move(view);
}

} // namespace qvtv
