#pragma once
// The keys of an on-screen keyboard: one focusable button per key of a KeyboardLayout, placed
// on the layout's grid so the focus engine moves between them with the arrows. It shows one
// page at a time, in lower or upper case, and hands the key under a Select press to its key
// handler; what a key does is the handler's business.
//
//   auto grid = View::make<KeyGridView>(KeyboardLayout::forType(KeyboardType::standard));
//   grid->setKeyHandler([](const KeyboardKey& key) { type(key.text); });
//   grid->setPage(1);   // symbols

#include "tvkit/keyboard/KeyboardLayout.h"
#include "tvkit/view/Button.h"

#include <functional>
#include <memory>
#include <vector>

namespace tvkit {

class KeyGridView : public View {
public:
    using KeyHandler = std::function<void(const KeyboardKey&)>;
    static constexpr double cellWidth = 96;
    static constexpr double cellHeight = 72;
    static constexpr double gap = 12;

    explicit KeyGridView(const KeyboardLayout& layout);
    std::string_view className() const override { return "KeyGridView"; }

    const KeyboardLayout& layout() const { return layout_; }
    void setKeyHandler(KeyHandler handler) { handler_ = std::move(handler); }

    std::size_t page() const { return page_; }
    void setPage(std::size_t page);
    bool isShifted() const { return shifted_; }
    void setShifted(bool shifted);

    // One button per key, in the order of the page's keys.
    const std::vector<std::shared_ptr<Button>>& keyButtons() const { return buttons_; }
    // The key `button` stands for on the current page; null when it is not one of ours.
    const KeyboardKey* keyFor(const View* button) const;

    Size intrinsicContentSize() const override;
    void layoutSubviews() override;
    void didUpdateFocus(const FocusUpdateContext& context, FocusAnimationCoordinator& coordinator) override;

private:
    void refreshTitles();

    const KeyboardLayout& layout_;
    std::vector<std::shared_ptr<Button>> buttons_;
    KeyHandler handler_;
    std::size_t page_ = 0;
    bool shifted_ = false;
};

} // namespace tvkit
