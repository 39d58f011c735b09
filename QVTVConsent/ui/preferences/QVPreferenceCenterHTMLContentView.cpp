#include "QVTVConsent/ui/preferences/QVPreferenceCenterHTMLContentView.h"

#include "QVTVConsent/ui/text/QVAttributedScrollableTextView.h"

namespace qvtv {

std::shared_ptr<tvkit::View> QVPreferenceCenterHTMLContentView::makeContentView() {
    if (!data()->html) return tvkit::View::make();
    return tvkit::View::make<QVAttributedScrollableTextView>(*data()->html, QVAttributedScrollableTextView::OnFocusChange{},
                                                             texts_);
}

std::vector<QVPreferenceCenterHTMLContentView::ButtonAction> QVPreferenceCenterHTMLContentView::makeButtons() {
    auto* target = delegate();
    return {{data()->cancelButton, [target] { target->onCancelTap(); }}};
}

} // namespace qvtv
