#pragma once
// Attributed text laid out with Pango at a given width: its size, drawing into a Cairo context
// and hit-testing a point to a character or a link. Paragraphs are laid out one by one, so
// paragraph indents (list items) and spacing apply per paragraph; a wrapped left-aligned
// paragraph is measured from one shaping pass and its lines are laid out for drawing only when
// they are first drawn or hit, so a long text costs little beyond what is on screen. Such a
// paragraph keeps its measurement, so laying the text out again at another width only breaks
// lines.
//
//   TextLayout layout(text, 600);                 // unlimited height
//   Size needed = layout.size();
//   layout.draw(cr, {20, 40});
//   std::string url = layout.linkAt({35, 52});   // "" when the point is not on a link

#include "tvkit/graphics/Point.h"
#include "tvkit/graphics/Rect.h"
#include "tvkit/graphics/Size.h"
#include "tvkit/text/AttributedString.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef struct _cairo cairo_t;

namespace tvkit {

struct TextLayoutOptions {
    double width = 0;            // wrap width; 0 or less lays every paragraph out on one line
    int maxLines = 0;            // 0 means unlimited; the last visible line ends with an ellipsis
    std::optional<TextAlignment> alignment;  // overrides every paragraph's alignment

    static TextLayoutOptions wrappingAt(double width) {
        TextLayoutOptions options;
        options.width = width;
        return options;
    }
};

class TextLayout {
public:
    TextLayout(const AttributedString& text, const TextLayoutOptions& options);
    TextLayout(const AttributedString& text, double width) : TextLayout(text, TextLayoutOptions::wrappingAt(width)) {}
    // The same text laid out again with other options, reusing the character widths `measured`
    // found: wrapping a long text at a new width breaks lines without shaping the text again.
    TextLayout(TextLayout&& measured, const TextLayoutOptions& options);
    ~TextLayout();
    TextLayout(TextLayout&&) noexcept;
    TextLayout& operator=(TextLayout&&) noexcept;
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    // The bounding size of the laid-out text: widest line (with indents) by total height.
    Size size() const { return size_; }
    int lineCount() const { return lineCount_; }
    const AttributedString& text() const { return text_; }

    // Draws with the layout's top-left corner at `origin` in the context's user space.
    void draw(cairo_t* cr, Point origin) const;

    // The byte index of the character nearest to `point` (layout coordinates), or none when the
    // text is empty.
    std::optional<std::size_t> characterIndexAt(Point point) const;
    // Where a caret before the byte `index` stands (the text's end for an index past it), as a
    // zero-wide rectangle in layout coordinates; in right-to-left text the end is on the left.
    Rect caretRect(std::size_t index) const;
    // The link under `point`, or "" when the point is not on a character of a link.
    std::string linkAt(Point point) const;

    // The size `text` needs at `width` with unlimited height.
    static Size measure(const AttributedString& text, double width);

private:
    struct Line;
    struct Paragraph;
    struct Hit;
    std::optional<Hit> hitTest(Point point) const;
    void layOut(const TextLayoutOptions& options, std::vector<std::unique_ptr<Paragraph>> measured);

    AttributedString text_;
    std::vector<std::unique_ptr<Paragraph>> paragraphs_;
    Size size_;
    int lineCount_ = 0;
};

} // namespace tvkit
