#pragma once
// One package card of the settings tab: a header row (expand arrow, name, switch, or the
// no-opt-out text for essential packages) and details (service, description, policy link) shown
// when expanded. Left and right switch the package off and on, Select expands it; the card
// writes `isEnabled` and `isExpanded` of its package in place and tells its category to recount.
// The policy link of an expanded card takes focus below the header (the card's focus frame is
// its header) and opens its address through QVLinkOpener.
//
//   auto card = std::make_shared<qvtv::PackageView>(pkg, style, [](bool) { recount(); });

#include <functional>
#include <memory>

#include "QVTVConsent/model/QVPackage.h"
#include "QVTVConsent/ui/preferences/SettingsCardStyle.h"
#include "tvkit/input/GestureRecognizer.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/Button.h"
#include "tvkit/view/Control.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/ScrollView.h"

namespace qvtv {

class QVSwitchButton;
class QVToggleButton;

class PackageView : public tvkit::Control {
public:
    PackageView(std::shared_ptr<QVPackage> pkg, const SettingsCardStyle& style,
                std::function<void(bool)> afterPackageEnabledFromUI, std::weak_ptr<tvkit::ScrollView> parentScrollView);

    std::string_view className() const override { return "PackageView"; }

    const std::shared_ptr<QVPackage>& pkg() const { return pkg_; }
    // Expands or collapses the details.
    void onSelect();
    void handleSwipe(tvkit::SwipeDirection direction);
    // Ignored for a package whose own category is essential.
    void setPackageEnabled(bool value);

    QVSwitchButton* toggle() const { return toggle_; }
    QVToggleButton* expandedIndicator() const { return expandedIndicator_; }
    tvkit::Label* packageName() const { return packageName_; }
    tvkit::View* packageContentView() const { return packageContentView_; }
    // The privacy-policy address as a focusable row; null when the package has none.
    tvkit::Button* policyLink() const { return policyLink_; }

    bool canBecomeFocused() const override { return true; }
    tvkit::Rect focusFrame() const override;
    // The package's name, then "collapsed, on" (or the no-opt-out text for an essential one).
    std::string accessibilityLabel() const override;
    std::string accessibilityValue() const override;
    void pressesEnded(const tvkit::PressSet& presses) override;
    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

private:
    std::shared_ptr<tvkit::View> makeHeader();
    std::shared_ptr<tvkit::View> makeDetails();
    std::shared_ptr<tvkit::View> makePolicyLink();
    bool isEssential() const;

    std::shared_ptr<tvkit::StackView> container_;
    std::shared_ptr<QVPackage> pkg_;
    SettingsCardStyle style_;
    std::function<void(bool)> afterPackageEnabledFromUI_;
    QVToggleButton* expandedIndicator_ = nullptr;
    tvkit::Label* packageName_ = nullptr;
    QVSwitchButton* toggle_ = nullptr;
    tvkit::View* packageContentView_ = nullptr;
    tvkit::View* header_ = nullptr;
    tvkit::Button* policyLink_ = nullptr;
    tvkit::Font focusedFont_ = tvkit::Font::system(16, tvkit::Font::medium);
    tvkit::Font unfocusedFont_ = tvkit::Font::system(16, tvkit::Font::regular);
    std::weak_ptr<tvkit::ScrollView> parentScrollView_;
};

} // namespace qvtv
