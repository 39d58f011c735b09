#pragma once
// Shows a template's HTML text (QVHtmlData) styled by makeAttributedText, at the width layout
// gives it and at the full height of its text, so a surrounding scroll view does the scrolling.
// A Select press opens the link under the press through the application's URL handler.
//
//   auto text = tvkit::View::make<qvtv::QVAttributedTextView>(template.html);
//   scroll->setContent(text, {});

#include "QVTVConsent/model/QVHtmlData.h"
#include "tvkit/view/TextView.h"

namespace tvkit {
class TapGestureRecognizer;
}

namespace qvtv {

class QVAttributedTextView : public tvkit::TextView {
public:
    explicit QVAttributedTextView(const QVHtmlData& data);
    std::string_view className() const override { return "QVAttributedTextView"; }

    const QVHtmlData& data() const { return data_; }

    // Opens the link at the recogniser's location in this view, when there is one there and it
    // forms a URL; anything else is ignored.
    void handleTextTap(const tvkit::TapGestureRecognizer& recognizer);

private:
    QVHtmlData data_;
};

} // namespace qvtv
