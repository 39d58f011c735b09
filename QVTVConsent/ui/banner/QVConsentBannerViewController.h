#pragma once
// The consent banner: a full-width strip along the bottom of the screen with the operator's logo,
// the consent text and the Accept, Decline and Customize buttons (and, for an advanced template,
// a second strip with one check box per category). Accept and Decline save the choice through the
// repository, apply it to the SDKs and tell delegates and observers; Customize opens the preference
// center; Menu or Escape closes the banner with a 499 event. Made by the public engine's builder.
//
//   auto banner = std::make_shared<qvtv::QVConsentBannerViewController>();
//   banner->applicationId = "demo-tv-app";
//   banner->data = repository->getBannerData("demo-tv-app").data().value();
//   host->present(banner, true);

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "QVTVConsent/core/QVDataMessage.h"
#include "QVTVConsent/core/QVWeakRef.h"
#include "QVTVConsent/model/QVConsentBannerData.h"
#include "QVTVConsent/model/QVConsentData.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/layout/StackView.h"

namespace tvkit {
class TapGestureRecognizer;
}

namespace qvtv {

class QVAttributedScrollableTextView;

class QVConsentBannerViewController final : public tvkit::ViewController {
public:
    using SaveResult = QVDataMessage<std::vector<std::shared_ptr<QVConsentData>>>;

    // Both set by the builder before the view loads.
    std::optional<std::string> applicationId;
    std::shared_ptr<QVConsentBannerData> data;

    static constexpr double logoSize = 100;
    static constexpr double buttonHeight = 60;
    static constexpr double buttonPadding = 20;
    static constexpr double buttonMinimumWidth = 160;
    static constexpr double advanceBannerHeight = 48;
    static constexpr double advanceBannerVerticalMargin = 12;
    static constexpr double brandingHeight = 40;
    static constexpr double brandingVerticalPadding = 12;
    static constexpr double buttonSpacing = 24;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    std::vector<tvkit::KeyCommand> keyCommands() const override;
    bool shouldUpdateFocus(const tvkit::FocusUpdateContext& context) override;
    std::vector<tvkit::FocusEnvironment*> preferredFocusEnvironments() const override;

    // The banner strip, the view holding the consent text (its wrapper or the text view itself)
    // and the visible buttons in order, for hosts' tests and tools that inspect the screen.
    tvkit::StackView* container() const { return container_.get(); }
    tvkit::View* consentTextView() const { return consentTextView_.lock().get(); }
    const std::vector<QVWeakRef<tvkit::View>>& actionViews() const { return actionViews_; }
    // The strip's height before the screen may have pinned it to the top.
    static double minimumBannerHeight(bool removeBranding);

private:
    void handleAccept();
    void handleDecline();
    void handleCustomize();
    void handleESCKey();
    void menuButtonAction();

    void setupUI();
    void setupContainer();
    void setupLogo();
    std::shared_ptr<tvkit::View> makeConsentText();
    double consentTextWidth();
    void setupActions();
    void setupAdvancedBanner();

    void saveChoice(bool isRejectAll);
    void finishSave(const SaveResult& result, bool isRejectAll);
    void saveFailed(const std::string& message);
    void closeWithoutChoice();
    void onBackPressed();
    double consentTextHeight(double width) const;

    std::shared_ptr<tvkit::StackView> container_;
    std::weak_ptr<tvkit::View> lastFocusedView_;
    std::weak_ptr<tvkit::View> consentTextView_;
    std::vector<QVWeakRef<tvkit::View>> actionViews_;
    std::shared_ptr<QVAttributedScrollableTextView> consentText_;
    std::shared_ptr<tvkit::TapGestureRecognizer> menuRecognizer_;
    bool saving_ = false;
};

} // namespace qvtv
