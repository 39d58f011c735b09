#pragma once
// The styling of one run of attributed text and of the paragraph it belongs to.
//
//   TextAttributes a;
//   a.font = Font::system(14, Font::bold);
//   a.link = "https://example.com/privacy";   // underlined by whoever styles links
//   a.paragraph.headIndent = 24;

#include "tvkit/graphics/Color.h"
#include "tvkit/graphics/Size.h"
#include "tvkit/text/Font.h"

#include <string>
#include <vector>

namespace tvkit {

enum class TextAlignment { natural, left, center, right, justified };

// A list a paragraph belongs to, kept so importers and editors can tell list items apart.
// The visible marker is part of the text itself.
struct TextList {
    enum class Marker { disc, decimal };
    Marker marker = Marker::disc;
    friend bool operator==(const TextList&, const TextList&) = default;
};

// Applies to a whole paragraph (text up to a line break); the layout reads it from the
// paragraph's first run.
struct ParagraphStyle {
    TextAlignment alignment = TextAlignment::natural;
    double firstLineHeadIndent = 0;  // left edge of the first line
    double headIndent = 0;           // left edge of the following lines
    double spacingBefore = 0;
    double spacingAfter = 0;
    double lineSpacing = 0;          // extra space between lines
    std::vector<TextList> textLists; // innermost last
    friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

struct TextAttributes {
    Font font;
    Color color = Color::black();
    bool underline = false;
    std::string link;  // empty when the run is not a link
    Size attachment;   // non-empty: the run is an inline box of this size (an image the text leaves room for)
    ParagraphStyle paragraph;
    friend bool operator==(const TextAttributes&, const TextAttributes&) = default;
};

} // namespace tvkit
