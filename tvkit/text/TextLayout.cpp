#include "tvkit/text/TextLayout.h"

#include "tvkit/text/FontContext.h"
#include "tvkit/text/PangoHandles.h"
#include "tvkit/text/Utf8.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace tvkit {

struct TextLayout::Paragraph {
    PangoLayoutHandle layout;
    std::size_t start = 0;  // byte offset of the paragraph in the whole text
    double x = 0;
    double y = 0;
    double height = 0;
};

struct TextLayout::Hit {
    std::size_t index = 0;
    bool onCharacter = false;
};

namespace {

int toPango(double v) { return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6) * PANGO_SCALE)); }
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

// Pango attributes for the runs that overlap [start, end), with indices relative to `start`.
// The paragraph's font is the layout's default, so only runs in another font get a font
// attribute (fewer attributes, fewer items for Pango to shape).
PangoAttrListHandle attributesFor(const AttributedString& text, std::size_t start, std::size_t end,
                                  const Font& paragraphFont) {
    PangoAttrListHandle list(pango_attr_list_new());
    const auto& runs = text.runs();
    auto first = std::upper_bound(runs.begin(), runs.end(), start,
                                  [](std::size_t i, const AttributedString::Run& run) { return i < run.start; });
    if (first != runs.begin()) --first;
    for (auto run = first; run != runs.end() && run->start < end; ++run) {
        const std::size_t runEnd = run->start + run->length;
        if (runEnd <= start) continue;
        const std::size_t from = std::max(run->start, start) - start;
        const std::size_t to = std::min(runEnd, end) - start;
        const TextAttributes& a = run->attributes;
        if (a.font != paragraphFont) {
            PangoFontDescriptionHandle description(FontContext::describe(a.font));
            insertAttribute(list.get(), pango_attr_font_desc_new(description.get()), from, to);
        }
        insertAttribute(list.get(), pango_attr_foreground_new(channel(a.color.red), channel(a.color.green),
                                                             channel(a.color.blue)), from, to);
        if (a.color.alpha < 1) insertAttribute(list.get(), pango_attr_foreground_alpha_new(channel(a.color.alpha)), from, to);
        if (!a.attachment.isEmpty()) {
            PangoRectangle box{0, -toPango(a.attachment.height), toPango(a.attachment.width), toPango(a.attachment.height)};
            insertAttribute(list.get(), pango_attr_shape_new(&box, &box), from, to);
        }
        if (a.underline) insertAttribute(list.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), from, to);
    }
    return list;
}

} // namespace

TextLayout::TextLayout(const AttributedString& text, const TextLayoutOptions& options) : text_(text) {
    static const TextAttributes plain;
    if (!Utf8::isValid(text_.text())) text_.replaceText(Utf8::sanitized(text_.text()));
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
        p->start = start;
        p->layout.reset(pango_layout_new(FontContext::pango()));
        PangoLayout* layout = p->layout.get();
        pango_layout_set_text(layout, s.data() + start, static_cast<int>(end - start));
        PangoFontDescriptionHandle description(FontContext::describe(attributes.font));
        pango_layout_set_font_description(layout, description.get());
        PangoAttrListHandle list = attributesFor(text_, start, end, attributes.font);
        pango_layout_set_attributes(layout, list.get());

        // The layout sits at the smaller of the two indents; Pango's own indent moves the first
        // line relative to the rest (negative: a hanging list marker).
        p->x = std::max(0.0, std::min(style.firstLineHeadIndent, style.headIndent));
        const double hang = style.headIndent - style.firstLineHeadIndent;
        pango_layout_set_indent(layout, toPango(-hang));
        if (hang > 0) {
            PangoTabArrayHandle tabs(pango_tab_array_new_with_positions(1, FALSE, PANGO_TAB_LEFT, toPango(hang)));
            pango_layout_set_tabs(layout, tabs.get());
        }
        const TextAlignment alignment = options.alignment.value_or(style.alignment);
        pango_layout_set_alignment(layout, pangoAlignment(alignment));
        pango_layout_set_justify(layout, alignment == TextAlignment::justified);
        if (style.lineSpacing > 0) pango_layout_set_spacing(layout, toPango(style.lineSpacing));
        const double available = options.width - p->x;
        bool wraps = options.width > 0;
        // With a width set, Pango shapes the text a second time even when nothing wraps, so a
        // paragraph that looks short enough is first laid out without one; if it fits, that
        // layout stands, placed by hand for its alignment.
        if (wraps && static_cast<double>(end - start) * attributes.font.size * 0.6 < available) {
            PangoRectangle line;
            pango_layout_get_extents(layout, nullptr, &line);
            const double lineWidth = static_cast<double>(line.x + line.width) / PANGO_SCALE;
            if (lineWidth <= available) {
                wraps = false;
                if (alignment == TextAlignment::center) p->x += (available - lineWidth) / 2;
                if (alignment == TextAlignment::right) p->x += available - lineWidth;
            }
        }
        if (wraps) {
            pango_layout_set_width(layout, std::max(1, toPango(available)));
            pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
            if (remainingLines > 0) {
                pango_layout_set_height(layout, -remainingLines);
                pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
            }
        }

        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        if (!paragraphs_.empty()) y += style.spacingBefore;
        p->y = y;
        p->height = static_cast<double>(logical.height) / PANGO_SCALE;
        const int lines = pango_layout_get_line_count(layout);
        lineCount_ += lines;
        if (remainingLines > 0) remainingLines = std::max(0, remainingLines - lines);
        width = std::max(width, p->x + static_cast<double>(logical.x + logical.width) / PANGO_SCALE);
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
    for (const auto& p : paragraphs_) {
        cairo_move_to(cr, origin.x + p->x, origin.y + p->y);
        pango_cairo_show_layout(cr, p->layout.get());
    }
}

std::optional<TextLayout::Hit> TextLayout::hitTest(Point point) const {
    if (text_.empty() || paragraphs_.empty()) return std::nullopt;
    // The paragraph under the point, or the one after the gap it falls in, or the last.
    auto it = std::find_if(paragraphs_.begin(), paragraphs_.end(),
                           [&](const auto& p) { return point.y < p->y + p->height; });
    const Paragraph& p = it == paragraphs_.end() ? *paragraphs_.back() : **it;
    int index = 0;
    int trailing = 0;
    const bool inside = pango_layout_xy_to_index(p.layout.get(), toPango(point.x - p.x), toPango(point.y - p.y),
                                                 &index, &trailing);
    const bool withinParagraph = point.y >= p.y && point.y < p.y + p.height;
    return Hit{p.start + static_cast<std::size_t>(index), inside && withinParagraph};
}

std::optional<std::size_t> TextLayout::characterIndexAt(Point point) const {
    auto hit = hitTest(point);
    if (!hit) return std::nullopt;
    return std::min(hit->index, text_.text().size() - 1);
}

std::string TextLayout::linkAt(Point point) const {
    auto hit = hitTest(point);
    if (!hit || !hit->onCharacter) return {};
    const TextAttributes* attributes = text_.attributesAt(hit->index);
    return attributes ? attributes->link : std::string();
}

Size TextLayout::measure(const AttributedString& text, double width) { return TextLayout(text, width).size(); }

} // namespace tvkit
