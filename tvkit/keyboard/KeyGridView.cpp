#include "tvkit/keyboard/KeyGridView.h"

#include "tvkit/focus/FocusUpdateContext.h"

#include <algorithm>

namespace tvkit {

namespace {

const Color keyColor = Color::gray(0.28);
const Color focusedKeyColor = Color::white();

void setLook(View& key, bool focused) {
    key.setBackgroundColor(focused ? focusedKeyColor : keyColor);
    key.setTransform(focused ? AffineTransform::scale(1.1, 1.1) : AffineTransform::identity());
    key.layer().setShadow(Color::black(), focused ? 0.4 : 0, 12, {0, 6});
}

} // namespace

KeyGridView::KeyGridView(const KeyboardLayout& layout) : layout_(layout) {
    const auto& keys = layout_.pages().front().keys;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        auto button = View::make<Button>();
        button->titleLabel()->setFont(Font::system(keys[i].role == KeyRole::character ? 30 : 22, Font::medium));
        button->setTitleColor(Color::gray(0.95));
        button->setTitleColor(Color::black(), focused);
        button->setContentEdgeInsets({4, 4, 4, 4});
        button->layer().setCornerRadius(10);
        setLook(*button, false);
        button->addAction(
            [this, i](Control&) {
                if (handler_) handler_(layout_.pages()[page_].keys[i]);
            },
            ControlEvent::primaryActionTriggered);
        addSubview(button);
        buttons_.push_back(std::move(button));
    }
    refreshTitles();
}

void KeyGridView::setPage(std::size_t page) {
    if (page >= layout_.pages().size() || page == page_) return;
    page_ = page;
    refreshTitles();
}

void KeyGridView::setShifted(bool shifted) {
    if (shifted == shifted_) return;
    shifted_ = shifted;
    refreshTitles();
}

const KeyboardKey* KeyGridView::keyFor(const View* button) const {
    auto it = std::find_if(buttons_.begin(), buttons_.end(), [&](const auto& b) { return b.get() == button; });
    if (it == buttons_.end()) return nullptr;
    return &layout_.pages()[page_].keys[static_cast<std::size_t>(it - buttons_.begin())];
}

void KeyGridView::refreshTitles() {
    const auto& keys = layout_.pages()[page_].keys;
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setTitle(layout_.title(keys[i], page_, shifted_));
}

Size KeyGridView::intrinsicContentSize() const {
    return {layout_.columns() * (cellWidth + gap) - gap, layout_.rows() * (cellHeight + gap) - gap};
}

void KeyGridView::layoutSubviews() {
    View::layoutSubviews();
    // Every page has the same cells, so the first page places the buttons for all of them.
    const auto& keys = layout_.pages().front().keys;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const KeyboardKey& key = keys[i];
        buttons_[i]->setFrame({key.column * (cellWidth + gap), key.row * (cellHeight + gap),
                               key.span * (cellWidth + gap) - gap, cellHeight});
    }
}

void KeyGridView::didUpdateFocus(const FocusUpdateContext& context, FocusAnimationCoordinator& coordinator) {
    View::didUpdateFocus(context, coordinator);
    auto previous = keyFor(context.previouslyFocusedView()) ? context.previouslyFocusedView()->shared_from_this() : nullptr;
    auto next = keyFor(context.nextFocusedView()) ? context.nextFocusedView()->shared_from_this() : nullptr;
    if (!previous && !next) return;
    coordinator.addCoordinatedAnimations([previous, next] {
        if (previous) setLook(*previous, false);
        if (next) setLook(*next, true);
    });
}

} // namespace tvkit
