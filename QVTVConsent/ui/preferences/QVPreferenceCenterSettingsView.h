#pragma once
// The settings tab of the preference center: the tab's title, the introduction text and one
// expandable card per consent category, in one scroll view, above the save, decline (when the
// template has one) and cancel buttons. Switching happens on the template's own category and
// package objects; only save or decline send anything.
//
//   auto body = std::make_shared<qvtv::QVPreferenceCenterSettingsView>(tab, settings,
//       qvtv::QVPreferenceCenterTabType::settings, controller);
//   body->assemble(true, center->textColor, [body](tvkit::View&) { body->onViewReady(); });

#include <memory>
#include <vector>

#include "QVTVConsent/model/QVPreferenceCenterData.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterContentView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterSettingsActionDelegate.h"
#include "tvkit/view/Label.h"

namespace qvtv {

class CategoryView;
class QVAttributedScrollableTextView;
class QVScrollView;

class QVPreferenceCenterSettingsView
    : public QVPreferenceCenterContentView<QVSettingsData, QVPreferenceCenterSettingsActionDelegate> {
public:
    QVPreferenceCenterSettingsView(QVPreferenceCenterTab tab, std::shared_ptr<QVSettingsData> data,
                                   QVPreferenceCenterTabType tabType, QVPreferenceCenterSettingsActionDelegate* delegate);

    std::string_view className() const override { return "QVPreferenceCenterSettingsView"; }

    const QVPreferenceCenterTab& tab() const { return tab_; }
    tvkit::Label* title() const { return title_; }
    QVScrollView* scrollView() const { return scrollView_; }
    const std::vector<CategoryView*>& categoryViews() const { return categoryViews_; }

    // Lays the tab out, then fixes the introduction at the height of its whole text so that it
    // scrolls with the categories rather than by itself.
    void onViewReady() override;

protected:
    std::shared_ptr<tvkit::View> makeContentView() override;
    std::vector<ButtonAction> makeButtons() override;

private:
    QVPreferenceCenterTab tab_;
    tvkit::Label* title_ = nullptr;
    QVAttributedScrollableTextView* attributedTextView_ = nullptr;
    QVScrollView* scrollView_ = nullptr;
    std::vector<CategoryView*> categoryViews_;
};

} // namespace qvtv
