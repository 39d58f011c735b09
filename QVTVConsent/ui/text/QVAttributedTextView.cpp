#include "QVTVConsent/ui/text/QVAttributedTextView.h"

#include "QVTVConsent/core/StringUtils.h"
#include "QVTVConsent/ui/text/makeAttributedText.h"
#include "platform/Url.h"
#include "tvkit/app/Application.h"
#include "tvkit/input/TapGestureRecognizer.h"

namespace qvtv {

QVAttributedTextView::QVAttributedTextView(const QVHtmlData& data)
    : tvkit::TextView(makeAttributedText(StringUtils::trim(data.html), data.textColor, data.linkColor)),
      data_(data) {
    setSelectable(true);
    setFocusable(true);
    setBackgroundColor(tvkit::Color::clear());
    setTextContainerInset({});
    // Lines are laid out when the view first gets its width; a long policy is broken into
    // lines once, and each line is shaped only when it is drawn or hit-tested.
    auto tap = std::make_shared<tvkit::TapGestureRecognizer>(
        [this](tvkit::GestureRecognizer& recognizer) { handleTextTap(static_cast<tvkit::TapGestureRecognizer&>(recognizer)); });
    addGestureRecognizer(std::move(tap));
}

void QVAttributedTextView::handleTextTap(const tvkit::TapGestureRecognizer& recognizer) {
    const std::string link = linkAt(recognizer.location(*this));
    if (link.empty() || !platform::Url::parse(link)) return;
    tvkit::Application::shared().openURL(link);
}

} // namespace qvtv
