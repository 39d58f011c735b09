#include "tvkit/text/TextLayout.h"

#include "tvkit/text/FontContext.h"
#include "tvkit/text/LineBreaker.h"
#include "tvkit/text/PangoHandles.h"
#include "tvkit/text/Utf8.h"
#include "tvkit/text/WordCache.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

namespace tvkit {

// A line of a paragraph broken here rather than by Pango.
struct TextLayout::Line {
    std::size_t start = 0;   // bytes from the paragraph's start
    std::size_t length = 0;  // shown bytes
    double x = 0;            // from the paragraph's origin
    double y = 0;
    double height = 0;
    mutable PangoLayoutHandle layout;  // made when the line is first drawn or hit
};

struct TextLayout::Paragraph {
    PangoLayoutHandle layout;  // when Pango lays the whole paragraph out; otherwise `lines`
    std::vector<Line> lines;
    std::size_t start = 0;     // byte offset of the paragraph in the whole text
    Font font;                 // the paragraph's default font
    double hang = 0;           // how far lines after the first start right of it
    double x = 0;
    double y = 0;
    double width = 0;          // right edge of the widest line, from x
    double height = 0;
    // Each character's width and break opportunity when WordCache could measure the
    // paragraph; kept so the text can be wrapped again without shaping it again.
    std::vector<LineBreaker::Character> characters;
    bool unmeasurable = false;  // Pango lays it out whatever the width

    bool breakIntoLines(const AttributedString& text, std::size_t end, double available, double lineSpacing);
    void layOutWithPango(const AttributedString& text, std::size_t end, double wrapWidth, TextAlignment alignment,
                         double lineSpacing, int maxLines);
    PangoLayout* layoutOf(const Line& line, const AttributedString& text) const;
};

struct TextLayout::Hit {
    std::size_t index = 0;
    bool onCharacter = false;
};

namespace {

// Pango positions are ints of 1/1024 point; beyond a million points they would overflow.
constexpr double maxPangoCoordinate = 1e6;
int toPango(double v) {
    return static_cast<int>(std::lround(std::clamp(v, -maxPangoCoordinate, maxPangoCoordinate) * PANGO_SCALE));
}
double fromPango(int v) { return static_cast<double>(v) / PANGO_SCALE; }
guint16 channel(double v) { return static_cast<guint16>(std::clamp(v, 0.0, 1.0) * 65535); }

PangoAlignment pangoAlignment(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::center: return PANGO_ALIGN_CENTER;
    case TextAlignment::right: return PANGO_ALIGN_RIGHT;
    default: return PANGO_ALIGN_LEFT;
    }
}

void insertAttribute(PangoAttrList* list, PangoAttribute* attribute, std::size_t start, std::size_t end) {
    attribute->start_index = static_cast<guint>(start);
    attribute->end_index = static_cast<guint>(end);
    pango_attr_list_insert(list, attribute);
}

// Calls fn(attributes, from, to) for each run overlapping [start, end), with indices relative
// to `start`.
template <typename Fn>
void forEachRun(const AttributedString& text, std::size_t start, std::size_t end, Fn fn) {
    const auto& runs = text.runs();
    auto first = std::upper_bound(runs.begin(), runs.end(), start,
                                  [](std::size_t i, const AttributedString::Run& run) { return i < run.start; });
    if (first != runs.begin()) --first;
    for (auto run = first; run != runs.end() && run->start < end; ++run) {
        const std::size_t runEnd = run->start + run->length;
        if (runEnd <= start) continue;
        fn(run->attributes, std::max(run->start, start) - start, std::min(runEnd, end) - start);
    }
}

void insertFont(PangoAttrList* list, const Font& font, std::size_t from, std::size_t to) {
    PangoFontDescriptionHandle description(FontContext::describe(font));
    insertAttribute(list, pango_attr_font_desc_new(description.get()), from, to);
}

// Pango attributes for the runs in [start, end). The paragraph's font is the layout's default,
// so only runs in another font get a font attribute (fewer attributes, fewer items to shape).
PangoAttrListHandle attributesFor(const AttributedString& text, std::size_t start, std::size_t end,
                                  const Font& paragraphFont) {
    PangoAttrListHandle list(pango_attr_list_new());
    forEachRun(text, start, end, [&](const TextAttributes& a, std::size_t from, std::size_t to) {
        if (a.font != paragraphFont) insertFont(list.get(), a.font, from, to);
        insertAttribute(list.get(), pango_attr_foreground_new(channel(a.color.red), channel(a.color.green),
                                                             channel(a.color.blue)), from, to);
        if (a.color.alpha < 1) insertAttribute(list.get(), pango_attr_foreground_alpha_new(channel(a.color.alpha)), from, to);
        if (!a.attachment.isEmpty()) {
            PangoRectangle box{0, -toPango(a.attachment.height), toPango(a.attachment.width), toPango(a.attachment.height)};
            insertAttribute(list.get(), pango_attr_shape_new(&box, &box), from, to);
        }
        if (a.underline) insertAttribute(list.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), from, to);
    });
    return list;
}

// Only the fonts of [start, end), the paragraph's over all of it: what measuring needs.
PangoAttrListHandle fontAttributesFor(const AttributedString& text, std::size_t start, std::size_t end,
                                      const Font& paragraphFont) {
    PangoAttrListHandle list(pango_attr_list_new());
    insertFont(list.get(), paragraphFont, 0, end - start);
    forEachRun(text, start, end, [&](const TextAttributes& a, std::size_t from, std::size_t to) {
        if (a.font != paragraphFont) insertFont(list.get(), a.font, from, to);
    });
    return list;
}

// Text [start, end) in `font` with its runs' styling; without a width it is one line.
PangoLayoutHandle unwrappedLayout(const AttributedString& text, std::size_t start, std::size_t end, const Font& font) {
    PangoLayoutHandle layout(pango_layout_new(FontContext::pango()));
    pango_layout_set_text(layout.get(), text.text().data() + start, static_cast<int>(end - start));
    PangoFontDescriptionHandle description(FontContext::describe(font));
    pango_layout_set_font_description(layout.get(), description.get());
    PangoAttrListHandle list = attributesFor(text, start, end, font);
    pango_layout_set_attributes(layout.get(), list.get());
    return layout;
}

// Pango's indent moves the first line relative to the rest (negative: a hanging list marker,
// which a tab then separates from the text at the following lines' edge).
void setIndent(PangoLayout* layout, double hang) {
    pango_layout_set_indent(layout, toPango(-hang));
    if (hang > 0) {
        PangoTabArrayHandle tabs(pango_tab_array_new_with_positions(1, FALSE, PANGO_TAB_LEFT, toPango(hang)));
        pango_layout_set_tabs(layout, tabs.get());
    }
}

} // namespace

bool TextLayout::Paragraph::breakIntoLines(const AttributedString& text, std::size_t end, double available,
                                           double lineSpacing) {
    bool attachment = false;
    forEachRun(text, start, end, [&](const TextAttributes& a, std::size_t, std::size_t) {
        attachment = attachment || !a.attachment.isEmpty();
    });
    // Pango sizes inline boxes and empty lines.
    if (attachment || end == start || unmeasurable) return false;
    const std::string_view own = std::string_view(text.text()).substr(start, end - start);
    if (characters.empty()) {
        PangoAttrListHandle fonts = fontAttributesFor(text, start, end, font);
        auto measured = WordCache::measure(own, fonts.get(), hang > 0 ? toPango(hang) : 0);
        unmeasurable = !measured;
        if (unmeasurable) return false;
        characters = std::move(*measured);
    }
    const double firstShift = std::max(0.0, -hang);
    const double otherShift = std::max(0.0, hang);
    auto broken = LineBreaker::breakLines(characters, own.size(), std::max(1, toPango(available - firstShift)),
                                          std::max(1, toPango(available - otherShift)));
    if (!broken) return false;
    // Only the first line's layout gets the paragraph's indent and tab stops; a tab further on
    // would stop elsewhere than where it was measured.
    if (broken->size() > 1 && own.find('\t', (*broken)[1].start) != std::string_view::npos) return false;
    double top = 0;
    for (const LineBreaker::Line& b : *broken) {
        const bool first = lines.empty();
        Line line;
        line.start = b.start;
        line.length = b.length;
        line.x = first ? 0 : otherShift;
        line.y = top;
        line.height = fromPango(b.height);
        width = std::max(width, (first ? firstShift : otherShift) + fromPango(b.width));
        top += line.height + lineSpacing;
        lines.push_back(std::move(line));
    }
    height = lines.back().y + lines.back().height;
    return true;
}

void TextLayout::Paragraph::layOutWithPango(const AttributedString& text, std::size_t end, double wrapWidth,
                                            TextAlignment alignment, double lineSpacing, int maxLines) {
    layout = unwrappedLayout(text, start, end, font);
    PangoLayout* l = layout.get();
    setIndent(l, hang);
    pango_layout_set_alignment(l, pangoAlignment(alignment));
    pango_layout_set_justify(l, alignment == TextAlignment::justified);
    if (lineSpacing > 0) pango_layout_set_spacing(l, toPango(lineSpacing));
    const double available = wrapWidth - x;
    bool wraps = wrapWidth > 0;
    // With a width set, Pango shapes the text a second time even when nothing wraps, so a
    // paragraph that looks short enough is first laid out without one; if it fits, that
    // layout stands, placed by hand for its alignment.
    if (wraps && static_cast<double>(end - start) * font.size * 0.6 < available) {
        PangoRectangle line;
        pango_layout_get_extents(l, nullptr, &line);
        const double lineWidth = fromPango(line.x + line.width);
        if (lineWidth <= available) {
            wraps = false;
            if (alignment == TextAlignment::center) x += (available - lineWidth) / 2;
            if (alignment == TextAlignment::right) x += available - lineWidth;
        }
    }
    if (wraps) {
        pango_layout_set_width(l, std::max(1, toPango(available)));
        pango_layout_set_wrap(l, PANGO_WRAP_WORD_CHAR);
        if (maxLines > 0) {
            pango_layout_set_height(l, -maxLines);
            pango_layout_set_ellipsize(l, PANGO_ELLIPSIZE_END);
        }
    }
    PangoRectangle logical;
    pango_layout_get_extents(l, nullptr, &logical);
    height = fromPango(logical.height);
    width = fromPango(logical.x + logical.width);
}

PangoLayout* TextLayout::Paragraph::layoutOf(const Line& line, const AttributedString& text) const {
    if (!line.layout) {
        const std::size_t from = start + line.start;
        line.layout = unwrappedLayout(text, from, from + line.length, font);
        if (&line == &lines.front()) setIndent(line.layout.get(), hang);
    }
    return line.layout.get();
}

TextLayout::TextLayout(const AttributedString& text, const TextLayoutOptions& options) : text_(text) {
    if (!Utf8::isValid(text_.text())) text_.replaceText(Utf8::sanitized(text_.text()));
    layOut(options, {});
}

TextLayout::TextLayout(TextLayout&& measured, const TextLayoutOptions& options) : text_(std::move(measured.text_)) {
    layOut(options, std::move(measured.paragraphs_));
}

void TextLayout::layOut(const TextLayoutOptions& options, std::vector<std::unique_ptr<Paragraph>> measured) {
    static const TextAttributes plain;
    const std::string& s = text_.text();
    if (s.empty()) return;
    double y = 0;
    double width = 0;
    int remainingLines = options.maxLines > 0 ? options.maxLines : -1;
    std::size_t start = 0;
    while (start <= s.size() && remainingLines != 0) {
        std::size_t end = s.find('\n', start);
        if (end == std::string::npos) end = s.size();
        const TextAttributes* first = text_.attributesAt(start < s.size() ? start : (start > 0 ? start - 1 : 0));
        const TextAttributes& attributes = first ? *first : plain;
        const ParagraphStyle& style = attributes.paragraph;

        auto p = std::make_unique<Paragraph>();
        if (paragraphs_.size() < measured.size()) {
            Paragraph& before = *measured[paragraphs_.size()];
            p->characters = std::move(before.characters);
            p->unmeasurable = before.unmeasurable;
        }
        p->start = start;
        p->font = attributes.font;
        // The paragraph sits at the smaller of the two indents.
        p->x = std::max(0.0, std::min(style.firstLineHeadIndent, style.headIndent));
        p->hang = style.headIndent - style.firstLineHeadIndent;
        const TextAlignment alignment = options.alignment.value_or(style.alignment);
        // Left-aligned text without a line limit is measured from cached words and broken here
        // (see WordCache, LineBreaker), unwrapped text as lines as wide as Pango can place; its
        // lines are shaped only when drawn or hit. Pango lays out the rest itself.
        const bool breaksHere =
            remainingLines < 0 && (alignment == TextAlignment::natural || alignment == TextAlignment::left);
        const double available = options.width > 0 ? options.width - p->x : maxPangoCoordinate;
        if (!breaksHere || !p->breakIntoLines(text_, end, available, style.lineSpacing)) {
            p->layOutWithPango(text_, end, options.width, alignment, style.lineSpacing, remainingLines);
        }
        const int lines = p->layout ? pango_layout_get_line_count(p->layout.get()) : static_cast<int>(p->lines.size());
        if (!paragraphs_.empty()) y += style.spacingBefore;
        p->y = y;
        lineCount_ += lines;
        if (remainingLines > 0) remainingLines = std::max(0, remainingLines - lines);
        width = std::max(width, p->x + p->width);
        y += p->height + style.spacingAfter;
        size_ = {width, p->y + p->height};
        paragraphs_.push_back(std::move(p));
        start = end + 1;
    }
}

TextLayout::~TextLayout() = default;
TextLayout::TextLayout(TextLayout&&) noexcept = default;
TextLayout& TextLayout::operator=(TextLayout&&) noexcept = default;

void TextLayout::draw(cairo_t* cr, Point origin) const {
    // Only what the clip shows is drawn, so a long text in a scrolling view lays out just the
    // lines on screen. Ink can reach a little past a line's box, hence the margin of a box.
    double left = 0, top = 0, right = 0, bottom = 0;
    cairo_clip_extents(cr, &left, &top, &right, &bottom);
    auto hidden = [&](double y, double height) { return y - height > bottom || y + 2 * height < top; };
    for (const auto& p : paragraphs_) {
        const double x = origin.x + p->x;
        const double y = origin.y + p->y;
        if (hidden(y, p->height)) continue;
        if (p->layout) {
            cairo_move_to(cr, x, y);
            pango_cairo_show_layout(cr, p->layout.get());
            continue;
        }
        for (const Line& line : p->lines) {
            if (hidden(y + line.y, line.height)) continue;
            cairo_move_to(cr, x + line.x, y + line.y);
            pango_cairo_show_layout(cr, p->layoutOf(line, text_));
        }
    }
}

std::optional<TextLayout::Hit> TextLayout::hitTest(Point point) const {
    if (text_.empty() || paragraphs_.empty()) return std::nullopt;
    // The paragraph (and line) under the point, or the one after the gap it falls in, or the last.
    auto it = std::find_if(paragraphs_.begin(), paragraphs_.end(),
                           [&](const auto& p) { return point.y < p->y + p->height; });
    const Paragraph& p = it == paragraphs_.end() ? *paragraphs_.back() : **it;
    PangoLayout* layout = p.layout.get();
    Point origin{p.x, p.y};
    std::size_t start = p.start;
    if (!layout) {
        auto line = std::find_if(p.lines.begin(), p.lines.end(),
                                 [&](const Line& l) { return point.y < p.y + l.y + l.height; });
        if (line == p.lines.end()) --line;
        layout = p.layoutOf(*line, text_);
        origin = {p.x + line->x, p.y + line->y};
        start += line->start;
    }
    int index = 0;
    int trailing = 0;
    const bool inside = pango_layout_xy_to_index(layout, toPango(point.x - origin.x), toPango(point.y - origin.y),
                                                 &index, &trailing);
    const bool withinParagraph = point.y >= p.y && point.y < p.y + p.height;
    return Hit{start + static_cast<std::size_t>(index), inside && withinParagraph};
}

std::optional<std::size_t> TextLayout::characterIndexAt(Point point) const {
    auto hit = hitTest(point);
    if (!hit) return std::nullopt;
    return std::min(hit->index, text_.text().size() - 1);
}

Rect TextLayout::caretRect(std::size_t index) const {
    if (paragraphs_.empty()) return {};
    index = std::min(index, text_.text().size());
    auto it = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), index,
                               [](std::size_t i, const auto& p) { return i < p->start; });
    const Paragraph& p = it == paragraphs_.begin() ? *paragraphs_.front() : **std::prev(it);
    PangoLayout* layout = p.layout.get();
    Point origin{p.x, p.y};
    std::size_t start = p.start;
    if (!layout) {
        auto line = std::upper_bound(p.lines.begin(), p.lines.end(), index - p.start,
                                     [](std::size_t i, const Line& l) { return i < l.start; });
        if (line != p.lines.begin()) --line;
        layout = p.layoutOf(*line, text_);
        origin = {p.x + line->x, p.y + line->y};
        start += line->start;
    }
    const int length = static_cast<int>(std::strlen(pango_layout_get_text(layout)));
    PangoRectangle strong;
    pango_layout_get_cursor_pos(layout, std::min(static_cast<int>(index - start), length), &strong, nullptr);
    return {origin.x + fromPango(strong.x), origin.y + fromPango(strong.y), 0, fromPango(strong.height)};
}

std::string TextLayout::linkAt(Point point) const {
    auto hit = hitTest(point);
    if (!hit || !hit->onCharacter) return {};
    const TextAttributes* attributes = text_.attributesAt(hit->index);
    return attributes ? attributes->link : std::string();
}

Size TextLayout::measure(const AttributedString& text, double width) { return TextLayout(text, width).size(); }

} // namespace tvkit
