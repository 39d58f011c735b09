#include "QVTVConsent/ui/controls/QVCheckboxView.h"

#include "QVTVConsent/ui/controls/AccessibilityText.h"
#include "QVTVConsent/ui/controls/QVFocusLift.h"
#include "tvkit/app/Accessibility.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/render/SymbolImage.h"

namespace qvtv {
namespace {

const tvkit::Font& regularFont() {
    static const tvkit::Font font = tvkit::Font::system(20);
    return font;
}

const tvkit::Font& focusedFont() {
    static const tvkit::Font font = tvkit::Font::system(20, tvkit::Font::medium);
    return font;
}

} // namespace

QVCheckboxView::QVCheckboxView(Options options, Action action)
    : tvkit::Control(tvkit::Rect{}),
      label(tvkit::View::make<tvkit::Label>()),
      checkbox(tvkit::View::make<tvkit::ImageView>()),
      stack(tvkit::View::make<tvkit::StackView>()),
      action_(std::move(action)),
      title_(std::move(options.title)),
      isCheckedValue_(options.checked),
      isEnabledValue_(options.enabled),
      textColor_(options.textColor),
      textColorDisabled_(options.textColorDisabled) {
    layout();
    update();
    addAction([](tvkit::Control& self) { static_cast<QVCheckboxView&>(self).onTap(); },
              tvkit::ControlEvent::primaryActionTriggered);
    setSelectTriggersPrimaryAction(true);
}

void QVCheckboxView::layout() {
    setClipsToBounds(false);
    layer().setMasksToBounds(false);
    layer().setCornerRadius(6.4);
    setBackgroundColor(tvkit::Color::black().withAlpha(0.05));

    checkbox->setContentMode(tvkit::ImageView::ContentMode::scaleAspectFit);
    checkbox->setTranslatesAutoresizingMaskIntoConstraints(false);
    label->setText(title_);
    label->setFont(regularFont());
    label->setNumberOfLines(1);

    stack->setAxis(tvkit::LayoutAxis::horizontal);
    stack->setSpacing(4);
    stack->setAlignment(tvkit::StackView::Alignment::center);
    stack->addArrangedSubview(checkbox);
    stack->addArrangedSubview(label);
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    addSubview(stack);
    tvkit::LayoutConstraint::activate({
        checkbox->widthAnchor().equalToConstant(24),
        checkbox->heightAnchor().equalToConstant(24),
        stack->leadingAnchor().equalTo(leadingAnchor(), 16),
        stack->trailingAnchor().equalTo(trailingAnchor(), -16),
        stack->topAnchor().equalTo(topAnchor()),
        stack->bottomAnchor().equalTo(bottomAnchor()),
    });
}

void QVCheckboxView::update() {
    checkbox->setImage(tvkit::SymbolImage::named(isCheckedValue_ ? "checkmark.square.fill" : "square"));
    const tvkit::Color color = isEnabledValue_ ? textColor_ : textColorDisabled_;
    label->setTextColor(color);
    // The box follows the title's colour so a disabled row reads as one.
    checkbox->setTintColor(color);
    const double alpha = isEnabledValue_ ? 1.0 : 0.5;
    checkbox->setAlpha(alpha);
    label->setAlpha(alpha);
    setUserInteractionEnabled(isEnabledValue_);
    setNeedsLayout();
}

std::string QVCheckboxView::accessibilityValue() const { return AccessibilityText::onOff(isCheckedValue_); }

void QVCheckboxView::onTap() {
    if (!isEnabledValue_) return;
    isCheckedValue_ = !isCheckedValue_;
    update();
    tvkit::Accessibility::announceChange(*this);
    if (action_) action_(*this);
}

void QVCheckboxView::didUpdateFocus(const tvkit::FocusUpdateContext& context,
                                    tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::Control::didUpdateFocus(context, coordinator);
    QVFocusLift::add(*this, context, coordinator, [this](bool focused) {
        setBackgroundColor(tvkit::Color::black().withAlpha(focused ? 0.1 : 0.05));
        label->setFont(focused ? focusedFont() : regularFont());
    });
}

} // namespace qvtv
