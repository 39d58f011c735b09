#pragma once
// One category card of the settings tab: a header row (expand arrow, "Name (n)", switch) and,
// when expanded, the description, the column headings and one PackageView per package. Collapsed,
// the card takes focus; expanded, its switch does and focus moves to the first package. The card
// writes `isEnabled` and `isExpanded` of its category (and packages) in place.
//
//   auto card = std::make_shared<qvtv::CategoryView>(category, style, scrollView);
//   stack->addArrangedSubview(card);

#include <memory>
#include <optional>
#include <vector>

#include "QVTVConsent/model/QVCategory.h"
#include "QVTVConsent/ui/preferences/SettingsCardStyle.h"
#include "tvkit/input/GestureRecognizer.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/Control.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/ScrollView.h"

namespace qvtv {

class PackageView;
class QVSwitchButton;
class QVToggleButton;

class CategoryView : public tvkit::Control {
public:
    CategoryView(std::shared_ptr<QVCategory> category, const SettingsCardStyle& style,
                 std::weak_ptr<tvkit::ScrollView> parentScrollView);

    std::string_view className() const override { return "CategoryView"; }

    const std::shared_ptr<QVCategory>& category() const { return category_; }
    // Expands or collapses the card and moves focus into it accordingly.
    void onSelect();
    void handleSwipe(tvkit::SwipeDirection direction);
    // Ignored for an essential category; sets every switchable package too.
    void setCategoryEnabled(bool value);

    QVSwitchButton* toggle() const { return toggle_; }
    QVToggleButton* expandedIndicator() const { return expandedIndicator_; }
    tvkit::Label* categoryName() const { return categoryName_; }
    tvkit::StackView* packagesContainer() const { return packagesContainer_; }
    // Empty until the card has been expanded once.
    const std::vector<PackageView*>& packageViews() const { return packageViews_; }

    bool canBecomeFocused() const override;
    // "Ads (3)", then "collapsed, on" (only a collapsed card takes focus; expanded, its switch
    // does and says "Ads (3), expanded" and its state).
    std::string accessibilityLabel() const override;
    std::string accessibilityValue() const override;
    std::vector<tvkit::FocusEnvironment*> preferredFocusEnvironments() const override;
    void pressesEnded(const tvkit::PressSet& presses) override;
    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

private:
    std::shared_ptr<tvkit::View> makeHeader();
    std::shared_ptr<tvkit::View> makePackagesArea();
    // Package cards are made when the card is first expanded: a long list of collapsed categories
    // then costs only its headers.
    void addPackageCards();
    // The category is on exactly when one of its switchable packages is.
    void recount();
    void applyFocusLook(bool focused, tvkit::FocusAnimationCoordinator& coordinator);
    bool isEssential() const;

    std::shared_ptr<QVCategory> category_;
    SettingsCardStyle style_;
    QVToggleButton* expandedIndicator_ = nullptr;
    tvkit::Label* categoryName_ = nullptr;
    QVSwitchButton* toggle_ = nullptr;
    tvkit::StackView* packagesContainer_ = nullptr;
    tvkit::Font focusedFont_ = tvkit::Font::system(18, tvkit::Font::medium);
    tvkit::Font unfocusedFont_ = tvkit::Font::system(18, tvkit::Font::regular);
    std::shared_ptr<tvkit::StackView> container_;
    mutable std::optional<bool> canBecomeFocusedOverrideValue_;
    std::weak_ptr<tvkit::ScrollView> parentScrollView_;
    PackageView* firstPkgView_ = nullptr;
    std::vector<PackageView*> packageViews_;
    bool packagesBuilt_ = false;
};

} // namespace qvtv
