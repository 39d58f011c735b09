#include "QVTVConsent/ui/controls/Spacer.h"

#include "tvkit/layout/LayoutConstraint.h"

namespace qvtv {

Spacer::Spacer() {
    setBackgroundColor(tvkit::Color::clear());
    // A free spacer absorbs the slack of its stack before labels and buttons stretch.
    setContentHuggingPriority(1, tvkit::LayoutAxis::horizontal);
    setContentHuggingPriority(1, tvkit::LayoutAxis::vertical);
}

std::shared_ptr<Spacer> Spacer::make(std::optional<double> width, std::optional<double> height) {
    auto spacer = tvkit::View::make<Spacer>();
    spacer->setTranslatesAutoresizingMaskIntoConstraints(false);
    if (width) spacer->widthAnchor().equalToConstant(*width)->setActive(true);
    if (height) spacer->heightAnchor().equalToConstant(*height)->setActive(true);
    return spacer;
}

} // namespace qvtv
