#pragma once
// A template's HTML text in a scroll view that takes focus as a whole: the arrows scroll the
// text while it is focused, Select offers the text's links (see QVAttributedTextView), and an
// optional callback hears when the area gains (true) or loses (false) focus, with the update's
// context and coordinator (the banner scales its message with it).
//
//   auto text = tvkit::View::make<qvtv::QVAttributedScrollableTextView>(
//       data.html, [](bool focused, const tvkit::FocusUpdateContext&, tvkit::FocusAnimationCoordinator& c) {...});

#include "QVTVConsent/model/QVHtmlData.h"
#include "QVTVConsent/ui/text/QVAttributedTextView.h"
#include "QVTVConsent/ui/text/QVScrollView.h"

#include <functional>
#include <memory>

namespace qvtv {

class QVAttributedScrollableTextView : public QVScrollView {
public:
    using OnFocusChange =
        std::function<void(bool focused, const tvkit::FocusUpdateContext&, tvkit::FocusAnimationCoordinator&)>;

    // `texts`, when given, keeps the styled text for the next view over the same data.
    explicit QVAttributedScrollableTextView(const QVHtmlData& data, OnFocusChange onFocusChange = {},
                                            QVAttributedTextCache* texts = nullptr);
    std::string_view className() const override { return "QVAttributedScrollableTextView"; }

    const QVHtmlData& data() const { return textView_->data(); }
    QVAttributedTextView& textView() const { return *textView_; }
    // The text's (its first sentence) unless a label was set.
    std::string accessibilityLabel() const override;

    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

private:
    std::shared_ptr<QVAttributedTextView> textView_;
    OnFocusChange onFocusChange_;
};

} // namespace qvtv
