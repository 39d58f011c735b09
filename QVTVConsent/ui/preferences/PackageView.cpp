#include "QVTVConsent/ui/preferences/PackageView.h"

#include "QVTVConsent/core/StringUtils.h"
#include "QVTVConsent/ui/controls/AccessibilityText.h"
#include "QVTVConsent/ui/controls/QVLinkOpener.h"
#include "QVTVConsent/ui/controls/Spacer.h"
#include "QVTVConsent/ui/preferences/ExpandCollapseImageView.h"
#include "QVTVConsent/ui/preferences/QVSwitchButton.h"
#include "QVTVConsent/ui/preferences/QVToggleButton.h"
#include "platform/DispatchQueue.h"
#include "tvkit/app/Accessibility.h"
#include "tvkit/input/SwipeGestureRecognizer.h"
#include "tvkit/layout/LayoutConstraint.h"

namespace qvtv {

namespace {

constexpr double indicatorSide = 12;
constexpr double switchWidth = 42;
constexpr double switchHeight = 24;
constexpr double hiddenSwitchSide = 8;

std::shared_ptr<tvkit::Label> makeLabel(const std::string& text, const tvkit::Font& font, tvkit::Color color) {
    auto label = tvkit::View::make<tvkit::Label>(text);
    label->setFont(font);
    label->setTextColor(color);
    return label;
}

} // namespace

PackageView::PackageView(std::shared_ptr<QVPackage> pkg, const SettingsCardStyle& style,
                         std::function<void(bool)> afterPackageEnabledFromUI,
                         std::weak_ptr<tvkit::ScrollView> parentScrollView)
    : pkg_(std::move(pkg)),
      style_(style),
      afterPackageEnabledFromUI_(std::move(afterPackageEnabledFromUI)),
      parentScrollView_(std::move(parentScrollView)) {
    layer().setShadow(tvkit::Color::black(), 0.1, 1, {1, 1});
    layer().setBorderWidth(2);
    layer().setBorderColor(tvkit::Color{0.8, 0.8, 0.8, 0.1});
    for (auto direction : {tvkit::SwipeDirection::left, tvkit::SwipeDirection::right}) {
        auto swipe = std::make_shared<tvkit::SwipeGestureRecognizer>(
            [this, direction](tvkit::GestureRecognizer&) { handleSwipe(direction); });
        swipe->setDirection(direction);
        addGestureRecognizer(swipe);
    }

    container_ = tvkit::View::make<tvkit::StackView>();
    container_->setAxis(tvkit::LayoutAxis::vertical);
    container_->setAlignment(tvkit::StackView::Alignment::fill);
    container_->layer().setCornerRadius(12);
    container_->setBackgroundColor(style_.bgColor);
    container_->setTranslatesAutoresizingMaskIntoConstraints(false);
    addSubview(container_);
    tvkit::LayoutConstraint::activate({container_->topAnchor().equalTo(topAnchor()),
                                       container_->bottomAnchor().equalTo(bottomAnchor()),
                                       container_->leadingAnchor().equalTo(leadingAnchor(), 2),
                                       container_->trailingAnchor().equalTo(trailingAnchor(), -2)});
    auto header = makeHeader();
    header_ = header.get();
    container_->addArrangedSubview(header);
    container_->addArrangedSubview(makeDetails());
}

bool PackageView::isEssential() const { return pkg_->category == QVCategoryType::essential; }

std::shared_ptr<tvkit::View> PackageView::makeHeader() {
    auto row = tvkit::View::make<tvkit::StackView>();
    row->setAxis(tvkit::LayoutAxis::horizontal);
    row->setAlignment(tvkit::StackView::Alignment::center);

    const tvkit::Color arrowTint = style_.textColor.withAlpha(0.5);
    auto indicator = std::make_shared<QVToggleButton>(
        [arrowTint](bool on) { return tvkit::View::make<ExpandCollapseImageView>(arrowTint, on); },
        indicatorSide, pkg_->isExpanded);
    expandedIndicator_ = indicator.get();

    auto name = makeLabel(pkg_->packageName(), unfocusedFont_, style_.textColor);
    packageName_ = name.get();

    const bool enabled = !isEssential();
    auto toggle = std::make_shared<QVSwitchButton>(false, nullptr);
    toggle->setOnTintColor(style_.switchOnColor);
    toggle->setOffTintColor(style_.switchOffColor);
    toggle->setChecked(pkg_->isEnabled(), false);
    toggle->setEnabled(enabled);
    toggle->setAlpha(enabled ? 1.0 : 0.5);
    toggle_ = toggle.get();

    row->addArrangedSubview(Spacer::make(24, std::nullopt));
    row->addArrangedSubview(indicator);
    row->addArrangedSubview(Spacer::make(16, std::nullopt));
    row->addArrangedSubview(name);
    row->addArrangedSubview(Spacer::make(16, std::nullopt));
    if (isEssential()) {
        // Essential packages cannot be switched: the no-opt-out text stands where the switch is.
        auto noOptOut = makeLabel(style_.noOptoutLabel, tvkit::Font::system(16), style_.textColor);
        noOptOut->setTextAlignment(tvkit::TextAlignment::right);
        row->addArrangedSubview(noOptOut);
        toggle->setTrackAndThumbAlpha(0);
    }
    row->addArrangedSubview(toggle);
    row->addArrangedSubview(Spacer::make(24, std::nullopt));

    const double switchW = isEssential() ? hiddenSwitchSide : switchWidth;
    const double switchH = isEssential() ? hiddenSwitchSide : switchHeight;
    tvkit::LayoutConstraint::activate({indicator->widthAnchor().equalToConstant(indicatorSide),
                                       indicator->heightAnchor().equalToConstant(indicatorSide),
                                       name->heightAnchor().equalToConstant(48),
                                       toggle->widthAnchor().equalToConstant(switchW),
                                       toggle->heightAnchor().equalToConstant(switchH)});
    return row;
}

std::shared_ptr<tvkit::View> PackageView::makeDetails() {
    auto details = tvkit::View::make<tvkit::StackView>();
    details->setAxis(tvkit::LayoutAxis::vertical);
    details->setAlignment(tvkit::StackView::Alignment::fill);
    details->setSpacing(8);
    details->setLayoutMargins({0, 24, 0, 24});
    details->setLayoutMarginsRelativeArrangement(true);
    details->setHidden(!pkg_->isExpanded);
    packageContentView_ = details.get();

    bool anyRow = false;
    const std::pair<const std::string*, const std::string*> rows[] = {
        {&style_.serviceLabel, &pkg_->service},
        {&style_.descriptionLabel, &pkg_->description},
        {&style_.policyLinkLabel, &pkg_->pp},
    };
    for (const auto& [key, value] : rows) {
        if (StringUtils::trim(*value).empty()) continue;
        anyRow = true;
        auto row = tvkit::View::make<tvkit::StackView>();
        row->setAxis(tvkit::LayoutAxis::horizontal);
        row->setAlignment(tvkit::StackView::Alignment::top);
        row->setSpacing(12);
        auto keyLabel = makeLabel(key->empty() ? std::string() : *key + ":", tvkit::Font::system(14), style_.textColor);
        row->addArrangedSubview(keyLabel);
        if (value == &pkg_->pp) {
            row->addArrangedSubview(makePolicyLink());
        } else {
            auto valueLabel = makeLabel(*value, tvkit::Font::system(14, 300), style_.textColor);
            valueLabel->setNumberOfLines(0);
            row->addArrangedSubview(valueLabel);
        }
        keyLabel->widthAnchor().equalToConstant(style_.pkgLabelsMaxWidth)->setActive(true);
        details->addArrangedSubview(row);
    }
    if (anyRow) details->addArrangedSubview(Spacer::make(std::nullopt, 4));
    return details;
}

std::shared_ptr<tvkit::View> PackageView::makePolicyLink() {
    auto link = tvkit::View::make<tvkit::Button>();
    link->setTitle(pkg_->pp);
    link->titleLabel()->setFont(tvkit::Font::system(14, 300));
    link->setTitleColor(style_.textColor);
    link->setTitleColor(style_.switchOnColor, tvkit::focused);
    link->setContentEdgeInsets({0, 0, 0, 0});
    link->setBackgroundColor(tvkit::Color::clear());
    link->setAccessibilityTraits(tvkit::AccessibilityTraits::link);
    link->addAction([url = pkg_->pp](tvkit::Control&) { QVLinkOpener::open(StringUtils::trim(url)); },
                    tvkit::ControlEvent::primaryActionTriggered);
    policyLink_ = link.get();
    return link;
}

std::string PackageView::accessibilityLabel() const { return packageName_->text(); }

std::string PackageView::accessibilityValue() const {
    return AccessibilityText::cardState(pkg_->isExpanded, isEssential() ? style_.noOptoutLabel
                                                                         : toggle_->accessibilityValue());
}

tvkit::Rect PackageView::focusFrame() const { return header_->convertRect(header_->bounds(), this); }

void PackageView::onSelect() {
    pkg_->isExpanded = !pkg_->isExpanded;
    expandedIndicator_->isOn = pkg_->isExpanded;
    expandedIndicator_->render();
    packageContentView_->setHidden(!pkg_->isExpanded);
    tvkit::Accessibility::announceChange(*this);
    std::weak_ptr<tvkit::View> details = packageContentView_->weak_from_this();
    platform::DispatchQueue::main().async([details] {
        if (auto view = details.lock()) view->layoutIfNeeded();
    });
}

void PackageView::handleSwipe(tvkit::SwipeDirection direction) {
    if (!isFocused()) return;
    setPackageEnabled(direction == tvkit::SwipeDirection::right);
}

void PackageView::setPackageEnabled(bool value) {
    if (isEssential()) return;
    pkg_->setEnabled(value);
    toggle_->setChecked(value, true);
    tvkit::Accessibility::announceChange(*this);
    if (afterPackageEnabledFromUI_) afterPackageEnabledFromUI_(value);
}

void PackageView::pressesEnded(const tvkit::PressSet& presses) {
    const bool handled = SettingsCardStyle::handlePress(
        presses, *this, toggle_, [this](bool on) { setPackageEnabled(on); }, [this] { onSelect(); });
    if (!handled) tvkit::Control::pressesEnded(presses);
}

void PackageView::didUpdateFocus(const tvkit::FocusUpdateContext& context,
                                 tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::Control::didUpdateFocus(context, coordinator);
    const bool gained = context.nextFocusedView() == this;
    if (!gained && context.previouslyFocusedView() != this) return;
    SettingsCardStyle::applyFocusLook({packageName_, focusedFont_, unfocusedFont_, expandedIndicator_, toggle_,
                                       container_.get()},
                                      gained, coordinator);
    if (gained) SettingsCardStyle::scrollIntoView(parentScrollView_, *this);
}

} // namespace qvtv
