#pragma once
// Read-only text: a string in the system font at a size and weight, a colour, a line limit
// and an alignment. Its intrinsic size is the text measured with Pango; a multi-line label
// wraps at the width layout gives it (or at preferredMaxLayoutWidth when set).
//
//   auto title = View::make<Label>("Privacy settings");
//   title->setFont(Font::system(20, Font::medium));
//   title->setNumberOfLines(0);

#include "tvkit/text/Font.h"
#include "tvkit/text/TextAttributes.h"
#include "tvkit/view/View.h"

#include <memory>
#include <string>

namespace tvkit {

class TextLayout;

class Label : public View {
public:
    Label() = default;
    explicit Label(std::string text) : text_(std::move(text)) {}
    std::string_view className() const override { return "Label"; }

    const std::string& text() const { return text_; }
    void setText(std::string text);
    // The text unless a label was set.
    std::string accessibilityLabel() const override;
    const Font& font() const { return font_; }
    void setFont(Font font);
    Color textColor() const { return textColor_; }
    void setTextColor(Color color);
    // 0 means as many lines as the text needs.
    int numberOfLines() const { return lines_; }
    void setNumberOfLines(int lines);
    TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(TextAlignment alignment);
    double preferredMaxLayoutWidth() const { return preferredMaxWidth_; }
    void setPreferredMaxLayoutWidth(double width);

    Size intrinsicContentSize() const override;
    // The size the text needs within `width` (0: unbounded).
    Size textSize(double width) const;
    void layoutSubviews() override;
    // Draws the text centred vertically in the bounds, aligned and truncated with an ellipsis.
    void draw(Painter& painter) const override;
    // The same in `rect` (bounds coordinates), for labels that keep their text off the edges.
    void drawText(Painter& painter, const Rect& rect) const;

protected:
    // The text's size, wrapped (when it may take several lines) at the preferred width or at
    // the width layout gave less `horizontalInset`, so a label that pads its text measures
    // the text it draws.
    Size measuredTextSize(double horizontalInset) const;

private:
    void textChanged();
    void appearanceChanged();

    std::string text_;
    Font font_ = Font::system(17);
    Color textColor_ = Color::black();
    int lines_ = 1;
    TextAlignment alignment_ = TextAlignment::natural;
    double preferredMaxWidth_ = 0;
    mutable double measuredAtWidth_ = -1;
    // The drawn layout, kept until the text, its styling or the width changes.
    mutable std::shared_ptr<TextLayout> layout_;
    mutable double layoutWidth_ = -1;
};

} // namespace tvkit
