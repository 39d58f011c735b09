#include "QVTVConsent/ui/text/QVAttributedTextView.h"

#include "QVTVConsent/core/StringUtils.h"
#include "QVTVConsent/ui/controls/QVLinkOpener.h"
#include "tvkit/input/TapGestureRecognizer.h"

namespace qvtv {

QVAttributedTextView::QVAttributedTextView(const QVHtmlData& data, QVAttributedTextCache* texts)
    : tvkit::TextView(texts ? texts->text(data) : QVAttributedTextCache::convert(data)),
      data_(data) {
    setSelectable(true);
    setFocusable(true);
    setBackgroundColor(tvkit::Color::clear());
    setTextContainerInset({});
    // Lines are laid out when the view first gets its width; a long policy is broken into
    // lines once, and each line is shaped only when it is drawn or hit-tested.
    addGestureRecognizer(
        std::make_shared<tvkit::TapGestureRecognizer>([this](tvkit::GestureRecognizer&) { offerLinks(); }));
}

std::string QVAttributedTextView::accessibilityLabel() const {
    std::string set = tvkit::TextView::accessibilityLabel();
    if (!set.empty()) return set;
    const std::string text = StringUtils::trim(attributedText().text());
    std::size_t end = text.find('\n');
    for (std::size_t i = 0; i < text.size() && i < end; ++i) {
        const bool stop = text[i] == '.' || text[i] == '!' || text[i] == '?';
        if (stop && (i + 1 == text.size() || text[i + 1] == ' ' || text[i + 1] == '\n')) end = i + 1;
    }
    return text.substr(0, end);
}

// A remote points at nothing, so the press cannot pick a word: the viewer picks from the links.
void QVAttributedTextView::offerLinks() const { QVLinkOpener::offer(attributedText().links()); }

} // namespace qvtv
