#pragma once
// The preference center: a card in the middle of the screen with the template's tabs on top and
// the selected tab's body below (settings, privacy and cookie policy pages, data request). It
// saves or declines the viewer's choice through the repository, applies it to the SDKs and tells
// the host; leaving it without saving brings the consent banner back while consent is still to
// be collected. The core engine creates and presents it.
//
//   auto screen = std::make_shared<qvtv::QVPreferenceCenterViewController>();
//   screen->data = center;
//   screen->applicationId = "demo-tv-app";
//   host->present(screen, true);

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "QVTVConsent/core/QVDataMessage.h"
#include "QVTVConsent/model/QVConsentData.h"
#include "QVTVConsent/model/QVPreferenceCenterData.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterDSARActionDelegate.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterHTMLContentViewDelegate.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterSettingsActionDelegate.h"
#include "QVTVConsent/ui/text/QVAttributedTextCache.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/input/GestureRecognizer.h"
#include "tvkit/layout/StackView.h"

namespace qvtv {

class QVTabView;

class QVPreferenceCenterViewController : public tvkit::ViewController,
                                         public QVPreferenceCenterSettingsActionDelegate,
                                         public QVPreferenceCenterHTMLContentViewDelegate,
                                         public QVPreferenceCenterDSARActionDelegate {
public:
    static constexpr const char* logTag = "QVPreferenceCenterViewController";

    QVPreferenceCenterViewController();

    // Set by the creator before the screen loads.
    std::shared_ptr<QVPreferenceCenterData> data;
    std::optional<std::string> applicationId;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    std::vector<tvkit::KeyCommand> keyCommands() const override;
    bool shouldUpdateFocus(const tvkit::FocusUpdateContext& context) override;

    void onSaveConsentTap() override;
    void onDeclineTap() override;
    void onCancelTap() override;
    // Sends the data-request form; the screen stays open either way.
    void onSubmitDSARRequestTap() override;
    void handleESCKey();
    void menuButtonAction();

    // What the screen shows, for the host's tests and tools.
    tvkit::View* card() const { return card_.get(); }
    tvkit::StackView* container() const { return container_.get(); }
    tvkit::View* body() const { return body_.get(); }
    const std::vector<std::shared_ptr<QVTabView>>& tabViews() const { return tabViews_; }
    tvkit::View* lastFocusedView() const { return lastFocusedView_.lock().get(); }

private:
    void setupLayout();
    void setupTabs();
    void selectTab(QVTabView& tabView, const QVPreferenceCenterTab& tab);
    void showTab(const QVPreferenceCenterTab& tab);
    void submitConsent(const std::vector<std::shared_ptr<QVCategory>>& categories, bool decline);
    void handleCancel(const std::shared_ptr<tvkit::ViewController>& presenting);
    void notifyConsentEvent(const QVDataMessage<std::vector<std::shared_ptr<QVConsentData>>>& message,
                            const std::string& operation);
    void showFailure(const std::string& message);

    std::shared_ptr<tvkit::View> card_;
    std::shared_ptr<tvkit::StackView> container_;
    std::shared_ptr<tvkit::StackView> tabBar_;
    std::vector<std::shared_ptr<QVTabView>> tabViews_;
    std::shared_ptr<tvkit::View> body_;
    // A policy tab selected again gets a new body over the text converted the first time.
    QVAttributedTextCache texts_;
    std::weak_ptr<tvkit::View> lastFocusedView_;
    std::shared_ptr<tvkit::GestureRecognizer> menuRecognizer_;
};

} // namespace qvtv
