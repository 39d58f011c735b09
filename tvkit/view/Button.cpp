#include "tvkit/view/Button.h"

namespace tvkit {

std::string Button::accessibilityLabel() const {
    std::string set = View::accessibilityLabel();
    return set.empty() ? title() : set;
}

unsigned Button::accessibilityTraits() const {
    const unsigned set = View::accessibilityTraits();
    return (set ? set : unsigned(AccessibilityTraits::button)) | (isEnabled() ? 0u : AccessibilityTraits::notEnabled);
}

Button::Button() : label_(View::make<Label>()) {
    setSelectTriggersPrimaryAction(true);
    label_->setTextAlignment(TextAlignment::center);
    label_->setTextColor(Color::white());
    addSubview(label_);
}

void Button::setTitle(std::string title, unsigned state) {
    titles_[state] = std::move(title);
    stateDidChange();
}

std::string Button::title(unsigned state) const {
    if (auto it = titles_.find(state); it != titles_.end()) return it->second;
    if (auto it = titles_.find(normal); it != titles_.end()) return it->second;
    return {};
}

void Button::setTitleColor(Color color, unsigned state) {
    colors_[state] = color;
    stateDidChange();
}

Color Button::titleColor(unsigned state) const {
    if (auto it = colors_.find(state); it != colors_.end()) return it->second;
    if (auto it = colors_.find(normal); it != colors_.end()) return it->second;
    return Color::white();
}

void Button::setContentEdgeInsets(const EdgeInsets& insets) {
    insets_ = insets;
    invalidateIntrinsicContentSize();
    setNeedsLayout();
}

void Button::stateDidChange() {
    // The most specific state with a value wins: focused, then selected, then disabled.
    unsigned s = state();
    unsigned pick = normal;
    for (unsigned candidate : {static_cast<unsigned>(focused), static_cast<unsigned>(selected), static_cast<unsigned>(disabled)}) {
        if ((s & candidate) && (titles_.count(candidate) || colors_.count(candidate))) {
            pick = candidate;
            break;
        }
    }
    label_->setText(title(pick));
    label_->setTextColor(titleColor(pick));
    invalidateIntrinsicContentSize();
}

Size Button::intrinsicContentSize() const {
    double wrapWidth = 0;
    if (label_->numberOfLines() != 1 && frame().width() > 0) wrapWidth = frame().width() - insets_.horizontal();
    Size text = label_->textSize(wrapWidth);
    return {text.width + insets_.horizontal(), text.height + insets_.vertical()};
}

void Button::layoutSubviews() {
    View::layoutSubviews();
    label_->setFrame(bounds().inset(insets_).offsetBy(-bounds().minX(), -bounds().minY()));
}

} // namespace tvkit
