#include "QVTVConsent/ui/datarequest/QVChoiceInputView.h"

#include "QVTVConsent/model/ColorUtils.h"
#include "QVTVConsent/ui/controls/Spacer.h"
#include "tvkit/input/TapGestureRecognizer.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/render/SymbolImage.h"
#include "tvkit/view/ImageView.h"
#include "tvkit/view/Label.h"

namespace qvtv {

namespace {

constexpr double optionHeight = 48;
constexpr double imageSize = 24;
constexpr double gap = 12;

} // namespace

std::string QVChoiceInputView::accessibilityLabel() const { return label_->text(); }

unsigned QVChoiceInputView::accessibilityTraits() const {
    return data_->value ? tvkit::AccessibilityTraits::selected : tvkit::AccessibilityTraits::none;
}

QVChoiceInputView::QVChoiceInputView(std::shared_ptr<QVChoiceInputFieldData> data, Action action)
    : data_(std::move(data)), action_(std::move(action)) {
    const tvkit::Color textColor = ColorUtils::fromHex(data_->textColor);
    auto image = tvkit::View::make<tvkit::ImageView>();
    imageView_ = image.get();
    image->setTranslatesAutoresizingMaskIntoConstraints(false);
    image->setTransform(tvkit::AffineTransform::scale(1.2, 1.2));
    image->setTintColor(textColor);
    tvkit::LayoutConstraint::activate({image->widthAnchor().equalToConstant(imageSize),
                                       image->heightAnchor().equalToConstant(imageSize)});

    auto label = tvkit::View::make<tvkit::Label>(data_->label);
    label_ = label.get();
    label->setFont(tvkit::Font::system(14));
    label->setTextColor(textColor);
    label->setNumberOfLines(1);

    auto stack = tvkit::View::make<tvkit::StackView>(std::vector<std::shared_ptr<tvkit::View>>{
        image, Spacer::make(gap, std::nullopt), label, Spacer::make(gap, std::nullopt)});
    stack->setAxis(tvkit::LayoutAxis::horizontal);
    stack->setAlignment(tvkit::StackView::Alignment::center);
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    tvkit::View& row = *stack;
    addSubview(std::move(stack));
    leading_ = row.leadingAnchor().equalTo(leadingAnchor());
    trailing_ = row.trailingAnchor().equalTo(trailingAnchor());
    tvkit::LayoutConstraint::activate({row.topAnchor().equalTo(topAnchor()), row.bottomAnchor().equalTo(bottomAnchor()),
                                       leading_, trailing_, row.heightAnchor().equalToConstant(optionHeight)});
    updateImage();

    setUserInteractionEnabled(true);
    addGestureRecognizer(std::make_shared<tvkit::TapGestureRecognizer>([this](tvkit::GestureRecognizer&) { didTap(); }));
}

void QVChoiceInputView::updateImage() {
    imageView_->setImage(tvkit::SymbolImage::named(data_->value ? "largecircle.fill.circle" : "circle"));
}

void QVChoiceInputView::didTap() {
    if (action_) action_(data_);
}

void QVChoiceInputView::didUpdateFocus(const tvkit::FocusUpdateContext& context,
                                       tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::View::didUpdateFocus(context, coordinator);
    const bool gained = context.nextFocusedView() == this;
    if (!gained && context.previouslyFocusedView() != this) return;
    coordinator.addCoordinatedAnimations([this, gained] {
        setTransform(tvkit::AffineTransform::translation(gained ? 2 : 0, 0));
        leading_->setConstant(gained ? 12 : 0);
        trailing_->setConstant(gained ? -8 : -2);
        setBackgroundColor(gained ? label_->textColor().withAlpha(0.1) : tvkit::Color::clear());
        layer().setCornerRadius(gained ? 16 : 0);
    });
}

} // namespace qvtv
