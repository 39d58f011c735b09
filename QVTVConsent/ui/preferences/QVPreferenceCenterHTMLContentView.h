#pragma once
// The body of the privacy-policy and cookie-policy tabs: the page's HTML text in a focusable
// scroll area (empty when the page has no inline text) above a cancel button. The arrows scroll
// the text while it has focus; focus leaves it only at its ends.
//
//   auto page = std::make_shared<qvtv::QVPreferenceCenterHTMLContentView>(pageData,
//       qvtv::QVPreferenceCenterTabType::pp, controller);
//   page->assemble(true, center->textColor, [](tvkit::View&) {});

#include <memory>
#include <vector>

#include "QVTVConsent/model/QVHTMLPageData.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterContentView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterHTMLContentViewDelegate.h"
#include "QVTVConsent/ui/text/QVAttributedTextCache.h"

namespace qvtv {

class QVPreferenceCenterHTMLContentView
    : public QVPreferenceCenterContentView<QVHTMLPageData, QVPreferenceCenterHTMLContentViewDelegate> {
public:
    using QVPreferenceCenterContentView::QVPreferenceCenterContentView;

    std::string_view className() const override { return "QVPreferenceCenterHTMLContentView"; }
    // Where the page's styled text is kept between bodies; set before assemble(), and it must
    // outlive assemble() (the screen controller owns it).
    void setTextCache(QVAttributedTextCache* texts) { texts_ = texts; }

protected:
    std::shared_ptr<tvkit::View> makeContentView() override;
    std::vector<ButtonAction> makeButtons() override;

private:
    QVAttributedTextCache* texts_ = nullptr;
};

} // namespace qvtv
