#include "QVTVConsent/ui/preferences/CategoryView.h"

#include <algorithm>

#include "QVTVConsent/ui/controls/AccessibilityText.h"
#include "QVTVConsent/ui/controls/Spacer.h"
#include "QVTVConsent/ui/preferences/ExpandCollapseImageView.h"
#include "QVTVConsent/ui/preferences/PackageView.h"
#include "QVTVConsent/ui/preferences/QVSwitchButton.h"
#include "QVTVConsent/ui/preferences/QVToggleButton.h"
#include "platform/DispatchQueue.h"
#include "tvkit/app/Accessibility.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/text/HtmlImporter.h"

namespace qvtv {

namespace {

constexpr double indicatorSide = 12;

std::string titleOf(const QVCategory& category) {
    if (category.packages.empty()) return category.name;
    return category.name + " (" + std::to_string(category.packages.size()) + ")";
}

std::shared_ptr<tvkit::Label> makeLabel(const std::string& text, const tvkit::Font& font, tvkit::Color color) {
    auto label = tvkit::View::make<tvkit::Label>(text);
    label->setFont(font);
    label->setTextColor(color);
    return label;
}

} // namespace

CategoryView::CategoryView(std::shared_ptr<QVCategory> category, const SettingsCardStyle& style,
                           std::weak_ptr<tvkit::ScrollView> parentScrollView)
    : category_(std::move(category)), style_(style), parentScrollView_(std::move(parentScrollView)) {
    container_ = tvkit::View::make<tvkit::StackView>();
    container_->setAxis(tvkit::LayoutAxis::vertical);
    container_->setAlignment(tvkit::StackView::Alignment::fill);
    container_->layer().setCornerRadius(12);
    container_->setBackgroundColor(style_.bgColor);
    container_->setTranslatesAutoresizingMaskIntoConstraints(false);
    addSubview(container_);
    tvkit::LayoutConstraint::activate({container_->leadingAnchor().equalTo(leadingAnchor(), 2),
                                       container_->trailingAnchor().equalTo(trailingAnchor(), -2),
                                       container_->topAnchor().equalTo(topAnchor()),
                                       container_->bottomAnchor().equalTo(bottomAnchor())});
    container_->addArrangedSubview(makeHeader());
    container_->addArrangedSubview(makePackagesArea());
    toggle_->setAccessibilityLabel(categoryName_->text() + ", expanded");
}

bool CategoryView::isEssential() const { return category_->type == QVCategoryType::essential; }

std::shared_ptr<tvkit::View> CategoryView::makeHeader() {
    auto row = tvkit::View::make<tvkit::StackView>();
    row->setAxis(tvkit::LayoutAxis::horizontal);
    row->setAlignment(tvkit::StackView::Alignment::center);

    const tvkit::Color arrowTint = style_.textColor.withAlpha(0.5);
    auto indicator = std::make_shared<QVToggleButton>(
        [arrowTint](bool on) { return tvkit::View::make<ExpandCollapseImageView>(arrowTint, on); },
        indicatorSide, category_->isExpanded);
    expandedIndicator_ = indicator.get();

    auto name = makeLabel(titleOf(*category_), unfocusedFont_, style_.textColor);
    name->setContentCompressionResistancePriority(1000, tvkit::LayoutAxis::horizontal);
    categoryName_ = name.get();

    const bool enabled = !isEssential();
    auto toggle = std::make_shared<QVSwitchButton>(
        category_->isExpanded,
        [this](bool focused, tvkit::FocusAnimationCoordinator& coordinator) { applyFocusLook(focused, coordinator); });
    toggle->setOnTintColor(style_.switchOnColor);
    toggle->setOffTintColor(style_.switchOffColor);
    toggle->setChecked(category_->isEnabled, false);
    toggle->setEnabled(enabled);
    toggle->setAlpha(enabled ? 1.0 : 0.5);
    toggle_ = toggle.get();

    row->addArrangedSubview(Spacer::make(24, std::nullopt));
    row->addArrangedSubview(indicator);
    row->addArrangedSubview(Spacer::make(16, std::nullopt));
    row->addArrangedSubview(name);
    row->addArrangedSubview(Spacer::make(16, std::nullopt));
    row->addArrangedSubview(toggle);
    row->addArrangedSubview(Spacer::make(24, std::nullopt));
    tvkit::LayoutConstraint::activate({indicator->widthAnchor().equalToConstant(indicatorSide),
                                       indicator->heightAnchor().equalToConstant(indicatorSide),
                                       name->heightAnchor().equalToConstant(52),
                                       toggle->widthAnchor().equalToConstant(42),
                                       toggle->heightAnchor().equalToConstant(24)});
    return row;
}

std::shared_ptr<tvkit::View> CategoryView::makePackagesArea() {
    auto area = tvkit::View::make<tvkit::StackView>();
    area->setAxis(tvkit::LayoutAxis::vertical);
    area->setAlignment(tvkit::StackView::Alignment::fill);
    area->setLayoutMargins({0, 24, 0, 24});
    area->setLayoutMarginsRelativeArrangement(true);
    area->setHidden(!category_->isExpanded);
    packagesContainer_ = area.get();

    // Templates write descriptions as HTML; the label shows their words, never the tags.
    auto description =
        makeLabel(tvkit::HtmlImporter::plainText(category_->description), tvkit::Font::system(14), style_.textColor);
    description->setNumberOfLines(0);
    area->addArrangedSubview(description);
    area->addArrangedSubview(Spacer::make(std::nullopt, 16));

    auto headings = tvkit::View::make<tvkit::StackView>();
    headings->setAxis(tvkit::LayoutAxis::horizontal);
    headings->setDistribution(tvkit::StackView::Distribution::fillEqually);
    headings->setAlignment(tvkit::StackView::Alignment::center);
    headings->setLayoutMargins({0, 16, 0, 16});
    headings->setLayoutMarginsRelativeArrangement(true);
    const tvkit::Font headingFont = tvkit::Font::system(14, tvkit::Font::medium);
    auto plugins = makeLabel(style_.pluginsLabel, headingFont, style_.textColor);
    plugins->setTextAlignment(tvkit::TextAlignment::left);
    auto enableServices = makeLabel(style_.enableServicesLabel, headingFont, style_.textColor);
    enableServices->setTextAlignment(tvkit::TextAlignment::right);
    headings->addArrangedSubview(plugins);
    headings->addArrangedSubview(enableServices);
    area->addArrangedSubview(headings);
    area->addArrangedSubview(Spacer::make(std::nullopt, 8));

    if (category_->isExpanded) addPackageCards();
    return area;
}

void CategoryView::addPackageCards() {
    if (packagesBuilt_) return;
    packagesBuilt_ = true;
    for (const auto& pkg : category_->packages) {
        auto card = std::make_shared<PackageView>(pkg, style_, [this](bool) { recount(); }, parentScrollView_);
        if (!firstPkgView_) firstPkgView_ = card.get();
        packageViews_.push_back(card.get());
        packagesContainer_->addArrangedSubview(card);
        packagesContainer_->addArrangedSubview(Spacer::make(std::nullopt, 16));
    }
}

std::string CategoryView::accessibilityLabel() const { return categoryName_->text(); }

std::string CategoryView::accessibilityValue() const {
    return AccessibilityText::cardState(category_->isExpanded, toggle_->accessibilityValue());
}

bool CategoryView::canBecomeFocused() const {
    if (!canBecomeFocusedOverrideValue_) canBecomeFocusedOverrideValue_ = !category_->isExpanded;
    return *canBecomeFocusedOverrideValue_;
}

std::vector<tvkit::FocusEnvironment*> CategoryView::preferredFocusEnvironments() const {
    // Otherwise the card itself, or its switch when the card is expanded but empty.
    if (category_->isExpanded && firstPkgView_) return {firstPkgView_};
    return {};
}

void CategoryView::onSelect() {
    category_->isExpanded = !category_->isExpanded;
    const bool expanded = category_->isExpanded;
    if (expanded) addPackageCards();
    expandedIndicator_->isOn = expanded;
    expandedIndicator_->render();
    packagesContainer_->setHidden(!expanded);
    canBecomeFocusedOverrideValue_ = !expanded;
    toggle_->canBecomeFocusedOverrideValue = expanded;
    std::weak_ptr<tvkit::View> self = weak_from_this();
    platform::DispatchQueue::main().async([self] {
        auto view = std::static_pointer_cast<CategoryView>(self.lock());
        if (!view) return;
        view->packagesContainer_->layoutIfNeeded();
        view->setNeedsFocusUpdate();
        view->updateFocusIfNeeded();
    });
}

void CategoryView::handleSwipe(tvkit::SwipeDirection direction) {
    if (!isFocused()) return;
    setCategoryEnabled(direction == tvkit::SwipeDirection::right);
}

void CategoryView::setCategoryEnabled(bool value) {
    if (isEssential()) return;
    category_->isEnabled = value;
    toggle_->setChecked(value, true);
    // Whichever of the card and its switch has focus says its new state.
    tvkit::Accessibility::announceChange(*this);
    tvkit::Accessibility::announceChange(*toggle_);
    // A package that is essential in its own right keeps its consent even when its category is
    // switched off: it cannot be switched on its own card either.
    bool anySwitchable = false;
    for (const auto& pkg : category_->packages) {
        if (pkg->category == QVCategoryType::essential) continue;
        pkg->setEnabled(value);
        anySwitchable = true;
    }
    for (PackageView* card : packageViews_) {
        if (card->pkg()->category != QVCategoryType::essential) card->toggle()->setChecked(value, true);
    }
    if (anySwitchable) recount();
}

void CategoryView::recount() {
    if (isEssential()) return;
    const bool anyOn = std::any_of(category_->packages.begin(), category_->packages.end(), [](const auto& pkg) {
        return pkg->category != QVCategoryType::essential && pkg->isEnabled();
    });
    category_->isEnabled = anyOn;
    toggle_->setChecked(anyOn, true);
}

void CategoryView::pressesEnded(const tvkit::PressSet& presses) {
    const bool handled = SettingsCardStyle::handlePress(
        presses, *this, toggle_, [this](bool on) { setCategoryEnabled(on); }, [this] { onSelect(); });
    if (!handled) tvkit::Control::pressesEnded(presses);
}

void CategoryView::didUpdateFocus(const tvkit::FocusUpdateContext& context,
                                  tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::Control::didUpdateFocus(context, coordinator);
    if (context.nextFocusedView() == this) {
        applyFocusLook(true, coordinator);
    } else if (context.previouslyFocusedView() == this) {
        applyFocusLook(false, coordinator);
    }
}

void CategoryView::applyFocusLook(bool focused, tvkit::FocusAnimationCoordinator& coordinator) {
    SettingsCardStyle::applyFocusLook({categoryName_, focusedFont_, unfocusedFont_, expandedIndicator_, toggle_,
                                       container_.get()},
                                      focused, coordinator);
    if (focused) SettingsCardStyle::scrollIntoView(parentScrollView_, *categoryName_);
}

} // namespace qvtv
