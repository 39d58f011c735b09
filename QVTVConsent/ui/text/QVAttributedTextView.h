#pragma once
// Shows a template's HTML text (QVHtmlData) styled by makeAttributedText, at the width layout
// gives it and at the full height of its text, so a surrounding scroll view does the scrolling.
// Select offers the text's links through QVLinkOpener: the one link of a text opens at once,
// several come up as a list to choose from; a text without links ignores Select.
//
//   auto text = tvkit::View::make<qvtv::QVAttributedTextView>(template.html);
//   scroll->setContent(text, {});

#include "QVTVConsent/model/QVHtmlData.h"
#include "QVTVConsent/ui/text/QVAttributedTextCache.h"
#include "tvkit/view/TextView.h"

namespace qvtv {

class QVAttributedTextView : public tvkit::TextView {
public:
    // With `texts`, the styled text is taken from there (and kept there when it is new).
    explicit QVAttributedTextView(const QVHtmlData& data, QVAttributedTextCache* texts = nullptr);
    std::string_view className() const override { return "QVAttributedTextView"; }

    const QVHtmlData& data() const { return data_; }

    // Offers every link of the text that forms a URL, in reading order (see QVLinkOpener::offer).
    void offerLinks() const;
    // The text's first sentence (up to its first '.', '!' or '?' before a space, or its first
    // line), unless a label was set: enough for a viewer to tell which text it is.
    std::string accessibilityLabel() const override;

private:
    QVHtmlData data_;
};

} // namespace qvtv
