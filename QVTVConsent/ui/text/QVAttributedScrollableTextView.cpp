#include "QVTVConsent/ui/text/QVAttributedScrollableTextView.h"

#include "tvkit/input/TapGestureRecognizer.h"

namespace qvtv {

QVAttributedScrollableTextView::QVAttributedScrollableTextView(const QVHtmlData& data, OnFocusChange onFocusChange,
                                                               QVAttributedTextCache* texts)
    : textView_(tvkit::View::make<QVAttributedTextView>(data, texts)), onFocusChange_(std::move(onFocusChange)) {
    // The area is one focus target: were the text inside focusable too, focus could land on it
    // and the arrows would no longer scroll, nor would the focus callback hear of it.
    textView_->setFocusable(false);
    setContent(textView_, {});
    // Select reaches the focused area; the text offers its links.
    addGestureRecognizer(std::make_shared<tvkit::TapGestureRecognizer>(
        [text = textView_.get()](tvkit::GestureRecognizer&) { text->offerLinks(); }));
}

std::string QVAttributedScrollableTextView::accessibilityLabel() const {
    std::string set = QVScrollView::accessibilityLabel();
    return set.empty() ? textView_->accessibilityLabel() : set;
}

void QVAttributedScrollableTextView::didUpdateFocus(const tvkit::FocusUpdateContext& context,
                                                    tvkit::FocusAnimationCoordinator& coordinator) {
    QVScrollView::didUpdateFocus(context, coordinator);
    if (!onFocusChange_) return;
    if (context.nextFocusedView() == this) onFocusChange_(true, context, coordinator);
    else if (context.previouslyFocusedView() == this) onFocusChange_(false, context, coordinator);
}

} // namespace qvtv
