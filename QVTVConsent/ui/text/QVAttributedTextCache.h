#pragma once
// Keeps the styled text of template HTML (see makeAttributedText) for a screen that builds new
// views over the same text each time it shows it, as the preference center does for a tab
// selected again: the views are new, the conversion is done once. Owned by that screen and used
// on the main thread only.
//
//   qvtv::QVAttributedTextCache texts;
//   auto text = tvkit::View::make<qvtv::QVAttributedTextView>(page.html, &texts);

#include "QVTVConsent/model/QVHtmlData.h"
#include "tvkit/text/AttributedString.h"

#include <string>
#include <deque>

namespace qvtv {

class QVAttributedTextCache {
public:
    // The styled text of `data`, converted now unless it was kept.
    const tvkit::AttributedString& text(const QVHtmlData& data);

    // The styled text of `data`, converted every time.
    static tvkit::AttributedString convert(const QVHtmlData& data);

private:
    // Only what the conversion reads.
    struct Entry {
        std::string html;
        std::string textColor;
        std::string linkColor;
        tvkit::AttributedString text;
    };
    std::deque<Entry> entries_;  // a screen shows a handful; a deque keeps earlier answers valid
};

} // namespace qvtv
