#include "QVTVConsent/ui/preferences/QVTabView.h"

#include "QVTVConsent/ui/controls/QVFocusLift.h"
#include "QVTVConsent/ui/controls/Spacer.h"
#include "platform/Locale.h"
#include "tvkit/app/Accessibility.h"
#include "tvkit/text/TextCase.h"
#include "tvkit/layout/LayoutConstraint.h"

namespace qvtv {

namespace {
constexpr double selectedBottomInset = -8;
} // namespace

QVTabView::QVTabView(std::string title, tvkit::Color selectedColor, tvkit::Color unselectedColor, Action action)
    : action_(std::move(action)),
      title_(std::move(title)),
      selectedColor_(selectedColor),
      unselectedColor_(unselectedColor) {
    // Sized by the tab bar, never by a frame of its own (it lays itself out before joining it).
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setClipsToBounds(false);
    layer().setCornerRadius(6.4);

    label_ = tvkit::View::make<tvkit::Label>(tvkit::TextCase::uppercased(title_, platform::Locale::current().languageCode));
    label_->setFont(tvkit::Font::system(fontSize));
    label_->setNumberOfLines(1);
    label_->setTextColor(selectedColor_);
    dividerView_ = tvkit::View::make();
    dividerView_->setBackgroundColor(selectedColor_);

    stack_ = tvkit::View::make<tvkit::StackView>();
    stack_->setAxis(tvkit::LayoutAxis::vertical);
    stack_->setSpacing(12);
    stack_->setDistribution(tvkit::StackView::Distribution::equalCentering);
    stack_->setAlignment(tvkit::StackView::Alignment::center);
    // A fixed square: a spacer free in height would let the column collapse.
    stack_->addArrangedSubview(Spacer::make(12, 12));
    stack_->addArrangedSubview(label_);
    stack_->addArrangedSubview(dividerView_);
    stack_->setTranslatesAutoresizingMaskIntoConstraints(false);
    addSubview(stack_);

    stackBottomConstraint_ = stack_->bottomAnchor().equalTo(bottomAnchor(), 0);
    tvkit::LayoutConstraint::activate({stack_->leadingAnchor().equalTo(leadingAnchor(), 16),
                                       stack_->trailingAnchor().equalTo(trailingAnchor(), -16),
                                       stack_->topAnchor().equalTo(topAnchor()), stackBottomConstraint_,
                                       dividerView_->heightAnchor().equalToConstant(2),
                                       dividerView_->widthAnchor().equalTo(label_->widthAnchor())});
    addAction([this](tvkit::Control&) { onTap(); }, tvkit::ControlEvent::primaryActionTriggered);
    setSelectTriggersPrimaryAction(true);
}

unsigned QVTabView::accessibilityTraits() const {
    return tvkit::AccessibilityTraits::tab | (isSelectedValue_ ? tvkit::AccessibilityTraits::selected : 0u);
}

void QVTabView::updateAppearance() {
    label_->setTextColor(isSelectedValue_ ? selectedColor_ : unselectedColor_);
    label_->setFont(tvkit::Font::system(fontSize, isSelectedValue_ ? tvkit::Font::medium : tvkit::Font::regular));
    dividerView_->setBackgroundColor(isSelectedValue_ ? selectedColor_ : tvkit::Color::clear());
    stackBottomConstraint_->setConstant(isSelectedValue_ ? selectedBottomInset : 0);
    layoutIfNeeded();
}

void QVTabView::onTap() {
    isSelectedValue_ = !isSelectedValue_;
    updateAppearance();
    tvkit::Accessibility::announceChange(*this);
    if (action_) action_(*this);
}

void QVTabView::didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::Control::didUpdateFocus(context, coordinator);
    QVFocusLift::add(*this, context, coordinator, [this](bool gained) {
        setBackgroundColor(gained ? selectedColor_.withAlpha(0.1) : tvkit::Color::clear());
        const bool heavy = gained || isSelectedValue_;
        label_->setFont(tvkit::Font::system(fontSize, heavy ? tvkit::Font::medium : tvkit::Font::regular));
    });
}

} // namespace qvtv
