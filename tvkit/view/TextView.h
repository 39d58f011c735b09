#pragma once
// Shows attributed text (say, an imported HTML policy) laid out at its own width, with the
// height it needs as its intrinsic size so a surrounding scroll view can scroll it. Points can
// be hit-tested to characters and links, and a link can be opened through the application's
// URL handler. An editable text view is typed into like a multi-line text field (see
// TextInput): Select opens the on-screen keyboard, and the editing handler hears the edit.
//
//   auto text = View::make<TextView>(HtmlImporter::importOrPlain(html, html, options));
//   text->setFocusable(true);
//   text->activateLink({120, 48});   // opens the link there, if there is one
//
//   auto notes = View::make<TextView>();
//   notes->setEditable(true);
//   notes->setEditingHandler([](TextView& v, EditingEvent e) { if (e == EditingEvent::changed) save(v.text()); });

#include "tvkit/graphics/EdgeInsets.h"
#include "tvkit/keyboard/TextInput.h"
#include "tvkit/text/AttributedString.h"
#include "tvkit/text/TextLayout.h"
#include "tvkit/view/View.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tvkit {

class TextView : public View, public TextInput {
public:
    TextView() = default;
    explicit TextView(AttributedString text) : text_(std::move(text)) {}
    std::string_view className() const override { return "TextView"; }

    const AttributedString& attributedText() const { return text_; }
    void setAttributedText(AttributedString text);
    EdgeInsets textContainerInset() const { return inset_; }
    void setTextContainerInset(const EdgeInsets& inset);
    bool isSelectable() const { return selectable_; }
    void setSelectable(bool selectable) { selectable_ = selectable; }
    void setFocusable(bool focusable) { focusable_ = focusable; }
    bool canBecomeFocused() const override { return focusable_ || editable_; }

    // ---- editing (an editable text view can take focus) ----
    using EditingHandler = std::function<void(TextView&, EditingEvent)>;
    bool isEditable() const { return editable_; }
    void setEditable(bool editable);
    void setEditingHandler(EditingHandler handler) { editingHandler_ = std::move(handler); }
    // The styling of typed text when the text is empty; otherwise typing continues the style
    // of the text's end.
    const TextAttributes& typingAttributes() const { return typingAttributes_; }
    void setTypingAttributes(const TextAttributes& attributes) { typingAttributes_ = attributes; }
    // Shown above the on-screen keyboard.
    const std::string& label() const { return label_; }
    void setLabel(std::string label) { label_ = std::move(label); }
    void setKeyboardType(KeyboardType type) { keyboard_ = type; }

    const std::string& text() const override { return text_.text(); }
    std::string keyboardTitle() const override { return label_; }
    KeyboardType keyboardType() const override { return keyboard_; }
    bool isMultiline() const override { return true; }
    bool insertText(const std::string& text) override;
    bool acceptsTypedText() const override { return editable_; }
    void pressesEnded(const PressSet& presses) override;

    // The text laid out at the current width (laid out now if needed).
    const TextLayout& textLayout() const;
    // The size the text needs at `width` with the insets.
    Size sizeThatFits(double width) const;

    // Points are in this view's bounds coordinates.
    std::optional<std::size_t> characterIndexAt(Point point) const;
    std::string linkAt(Point point) const;
    // Opens the link under `point` (when selectable) through Application::openURL; false when
    // there is none or the application refused it.
    bool activateLink(Point point);

    Size intrinsicContentSize() const override;
    void layoutSubviews() override;
    void draw(Painter& painter) const override;

protected:
    View& inputView() override { return *this; }
    bool canBeginEditing() const override { return editable_; }
    void appendText(std::string_view text) override;
    void truncateText(std::size_t length) override;
    void editingStateDidChange() override { setNeedsDisplay(); }
    void editingEvent(EditingEvent event) override;

private:
    void textDidChange();
    double layoutWidth() const;
    Point textPoint(Point point) const { return {point.x - inset_.left, point.y - inset_.top}; }

    AttributedString text_;
    EdgeInsets inset_;
    bool selectable_ = true;
    bool focusable_ = false;
    bool editable_ = false;
    EditingHandler editingHandler_;
    TextAttributes typingAttributes_;
    std::string label_;
    KeyboardType keyboard_ = KeyboardType::standard;
    // At the view's width (unwrapped while it has none); rewrapped when the width changes.
    mutable std::unique_ptr<TextLayout> layout_;
    mutable double laidOutWidth_ = -1;
};

} // namespace tvkit
