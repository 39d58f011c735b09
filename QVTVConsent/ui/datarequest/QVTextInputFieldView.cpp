#include "QVTVConsent/ui/datarequest/QVTextInputFieldView.h"

#include "QVTVConsent/model/ColorUtils.h"
#include "QVTVConsent/core/StringUtils.h"
#include "QVTVConsent/ui/datarequest/FieldCaption.h"
#include "QVTVConsent/ui/datarequest/QVFocusableTextField.h"
#include "QVTVConsent/ui/datarequest/QVFocusableTextView.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/TextView.h"

#include <algorithm>
#include <cmath>

namespace qvtv {

namespace {

constexpr double captionSpacing = 6;

double tallHeight(std::int64_t maxLines) {
    return static_cast<double>(maxLines) * QVTextInputFieldView::fieldHeight + 16;
}

bool isBlank(std::string_view text) { return StringUtils::trim(text).empty(); }

} // namespace

QVTextInputFieldView::QVTextInputFieldView(std::shared_ptr<QVTextInputFieldData> data) : data_(std::move(data)) {
    std::shared_ptr<tvkit::TextField> field = data_->maxLines >= 1 ? makeTextField() : makeTextView();
    field->setFont(tvkit::Font::system(16));
    field->setKeyboardType(data_->keyboardType);
    // The placeholder is drawn in gray while the text is empty; it never becomes the text, so
    // typing never appends to it and an untouched field sends nothing.
    field->setPlaceholder(data_->placeholder);
    field->setLabel(data_->label);
    // Spoken as "Name, required, <what it holds>".
    if (data_->required) field->setAccessibilityLabel(data_->label + ", required");
    field->layer().setMasksToBounds(true);
    field->setTranslatesAutoresizingMaskIntoConstraints(false);
    if (!isBlank(data_->value)) field->setText(data_->value);

    auto caption = FieldCaption::makeView(data_->label, data_->textColor, data_->required, data_->errorColor);
    caption_ = caption.get();
    auto stack = tvkit::View::make<tvkit::StackView>(std::vector<std::shared_ptr<tvkit::View>>{caption, field});
    stack->setAxis(tvkit::LayoutAxis::vertical);
    stack->setSpacing(captionSpacing);
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    tvkit::View& column = *stack;
    addSubview(std::move(stack));
    tvkit::LayoutConstraint::activate({
        column.leadingAnchor().equalTo(leadingAnchor()),
        column.trailingAnchor().equalTo(trailingAnchor()),
        column.topAnchor().equalTo(topAnchor()),
        column.bottomAnchor().equalTo(bottomAnchor()),
    });

    applyStyle();
    auto height = field->heightAnchor().equalToConstant(data_->maxLines < 2 ? fieldHeight : tallHeight(data_->maxLines));
    height->setActive(true);
    if (textView_) textViewHeight_ = std::move(height);
}

tvkit::TextField& QVTextInputFieldView::editor() const {
    if (textField_) return *textField_;
    return *textView_;
}

std::shared_ptr<tvkit::TextField> QVTextInputFieldView::makeTextField() {
    auto field = tvkit::View::make<QVFocusableTextField>();
    textField_ = field.get();
    field->setTextInsets({6, 8, 6, 8});
    field->setReturnKeyType(tvkit::ReturnKeyType::done);
    field->addAction([this](tvkit::Control&) { data_->value = textField_->text(); }, tvkit::ControlEvent::editingChanged);
    field->onFocusUpdate = [this](bool, tvkit::FocusAnimationCoordinator&) { applyStyle(); };
    return field;
}

std::shared_ptr<tvkit::TextField> QVTextInputFieldView::makeTextView() {
    auto view = tvkit::View::make<QVFocusableTextView>();
    textView_ = view.get();
    view->setTextInsets({10, 8, 10, 8});
    if (data_->returnKeyType != tvkit::ReturnKeyType::none) view->setReturnKeyType(data_->returnKeyType);
    view->addAction([this](tvkit::Control&) { textViewDidChange(); }, tvkit::ControlEvent::editingChanged);
    view->addAction([this](tvkit::Control&) { textViewDidEndEditing(); }, tvkit::ControlEvent::editingDidEnd);
    view->onFocusUpdate = [this](bool, tvkit::FocusAnimationCoordinator&) { applyStyle(); };
    return view;
}

void QVTextInputFieldView::applyStyle() {
    tvkit::TextField& field = editor();
    const tvkit::Color text = ColorUtils::fromHex(data_->textColor);
    field.layer().setCornerRadius(data_->cornerType == QVCornerType::smooth ? 8 : 0);
    field.layer().setBorderColor(text);
    if (data_->fillType == QVFillType::fill) {
        const tvkit::Color fill = ColorUtils::fromHex(data_->backgroundColor);
        field.setBackgroundColor(fill);
        field.layer().setBorderWidth(0);
        // One template colour serves the caption on the card and the typed text on the fill;
        // light text meant for a dark card would vanish on a white fill, so there the typed
        // text takes black or white instead.
        field.setTextColor(text.readableOn(fill));
    } else {
        field.setBackgroundColor(tvkit::Color::clear());
        field.layer().setBorderWidth(1);
        field.setTextColor(text);
    }
}

void QVTextInputFieldView::textViewDidChange() {
    data_->value = textView_->text();
    const double needed = std::ceil(textView_->intrinsicContentSize().height);
    textViewHeight_->setConstant(std::max(tallHeight(data_->maxLines), needed));
    setNeedsLayout();
}

void QVTextInputFieldView::textViewDidEndEditing() {
    if (!isBlank(textView_->text())) {
        data_->value = textView_->text();
        return;
    }
    // Only blanks: the placeholder shows again and nothing is kept.
    textView_->setText("");
    textViewDidChange();
}

} // namespace qvtv
