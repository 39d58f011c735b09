#pragma once
// Shows attributed text (say, an imported HTML policy) laid out at its own width, with the
// height it needs as its intrinsic size so a surrounding scroll view can scroll it. Points can
// be hit-tested to characters and links, and a link can be opened through the application's
// URL handler.
//
//   auto text = View::make<TextView>(HtmlImporter::importOrPlain(html, html, options));
//   text->setFocusable(true);
//   text->activateLink({120, 48});   // opens the link there, if there is one

#include "tvkit/graphics/EdgeInsets.h"
#include "tvkit/text/AttributedString.h"
#include "tvkit/text/TextLayout.h"
#include "tvkit/view/View.h"

#include <memory>
#include <optional>
#include <string>

namespace tvkit {

class TextView : public View {
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
    bool canBecomeFocused() const override { return focusable_; }

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

private:
    double layoutWidth() const;
    Point textPoint(Point point) const { return {point.x - inset_.left, point.y - inset_.top}; }

    AttributedString text_;
    EdgeInsets inset_;
    bool selectable_ = true;
    bool focusable_ = false;
    mutable std::unique_ptr<TextLayout> layout_;
    mutable double laidOutWidth_ = -1;
};

} // namespace tvkit
