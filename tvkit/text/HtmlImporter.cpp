#include "tvkit/text/HtmlImporter.h"

#include "platform/LogSink.h"
#include "tvkit/text/CssStyleSheet.h"
#include "tvkit/text/Utf8.h"

#include <gumbo.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tvkit {

namespace {

struct GumboOutputDestroy {
    void operator()(GumboOutput* output) const { gumbo_destroy_output(&kGumboDefaultOptions, output); }
};
using GumboOutputHandle = std::unique_ptr<GumboOutput, GumboOutputDestroy>;

constexpr int maxStyledDepth = 128;  // deeper elements add their text without styling
constexpr const char* noBreakSpace = "\xC2\xA0";
constexpr const char* objectReplacement = "\xEF\xBF\xBC";

void logRefusal(std::string_view reason) {
    platform::LogSink::write("[WARN] HtmlImporter: " + std::string(reason) + "; showing plain text");
}

std::string lowerName(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

bool isVoidTag(std::string_view name) {
    static constexpr std::array<const char*, 14> names{"area", "base", "br", "col", "embed", "hr", "img", "input",
                                                       "link", "meta", "param", "source", "track", "wbr"};
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

bool closesImplicitly(std::string_view name) {
    static constexpr std::array<const char*, 9> names{"p", "li", "dt", "dd", "option", "tr", "td", "th", "html"};
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

// A cheap upper bound on how deep the parsed tree can get, taken before gumbo sees the input so
// pathological nesting never reaches its recursive teardown.
int estimatedNesting(std::string_view html) {
    int depth = 0;
    int deepest = 0;
    for (std::size_t i = 0; i + 1 < html.size(); ++i) {
        if (html[i] != '<') continue;
        const bool closing = html[i + 1] == '/';
        std::size_t start = i + (closing ? 2 : 1);
        std::size_t end = start;
        while (end < html.size() && std::isalnum(static_cast<unsigned char>(html[end]))) ++end;
        if (end == start) continue;
        const std::string name = lowerName(html.substr(start, std::min<std::size_t>(end - start, 16)));
        if (isVoidTag(name) || closesImplicitly(name)) continue;
        const std::size_t close = html.find('>', end);
        const bool selfClosing = close != std::string_view::npos && close > 0 && html[close - 1] == '/';
        if (closing) depth = std::max(0, depth - 1);
        else if (!selfClosing) deepest = std::max(deepest, ++depth);
    }
    return deepest;
}

enum class Kind { skipped, block, listItem, list, lineBreak, image, inlineStyled, transparent };

Kind kindOf(GumboTag tag) {
    switch (tag) {
    case GUMBO_TAG_HEAD: case GUMBO_TAG_SCRIPT: case GUMBO_TAG_STYLE: case GUMBO_TAG_TEMPLATE:
    case GUMBO_TAG_NOSCRIPT: case GUMBO_TAG_IFRAME: case GUMBO_TAG_OBJECT: case GUMBO_TAG_EMBED:
    case GUMBO_TAG_SVG: case GUMBO_TAG_MATH: case GUMBO_TAG_CANVAS: case GUMBO_TAG_VIDEO:
    case GUMBO_TAG_AUDIO: case GUMBO_TAG_SELECT: case GUMBO_TAG_TEXTAREA: case GUMBO_TAG_TITLE:
        return Kind::skipped;
    case GUMBO_TAG_P: case GUMBO_TAG_DIV: case GUMBO_TAG_H1: case GUMBO_TAG_H2: case GUMBO_TAG_H3:
    case GUMBO_TAG_H4: case GUMBO_TAG_H5: case GUMBO_TAG_H6: case GUMBO_TAG_BLOCKQUOTE: case GUMBO_TAG_PRE:
    case GUMBO_TAG_SECTION: case GUMBO_TAG_ARTICLE: case GUMBO_TAG_HEADER: case GUMBO_TAG_FOOTER:
    case GUMBO_TAG_MAIN: case GUMBO_TAG_NAV: case GUMBO_TAG_TABLE: case GUMBO_TAG_TR: case GUMBO_TAG_HR:
    case GUMBO_TAG_BODY: case GUMBO_TAG_HTML:
        return Kind::block;
    case GUMBO_TAG_UL: case GUMBO_TAG_OL:
        return Kind::list;
    case GUMBO_TAG_LI:
        return Kind::listItem;
    case GUMBO_TAG_BR:
        return Kind::lineBreak;
    case GUMBO_TAG_IMG:
        return Kind::image;
    case GUMBO_TAG_B: case GUMBO_TAG_STRONG: case GUMBO_TAG_I: case GUMBO_TAG_EM: case GUMBO_TAG_U:
    case GUMBO_TAG_INS: case GUMBO_TAG_A: case GUMBO_TAG_SPAN: case GUMBO_TAG_SMALL: case GUMBO_TAG_TD:
    case GUMBO_TAG_TH: case GUMBO_TAG_CODE:
        return Kind::inlineStyled;
    default:
        return Kind::transparent;
    }
}

const char* attribute(const GumboElement& element, const char* name) {
    const GumboAttribute* a = gumbo_get_attribute(&element.attributes, name);
    return a ? a->value : nullptr;
}

std::optional<int> intAttribute(const GumboElement& element, const char* name) {
    const char* value = attribute(element, name);
    if (!value) return std::nullopt;
    int out = 0;
    auto [end, error] = std::from_chars(value, value + std::strlen(value), out);
    if (error != std::errc()) return std::nullopt;
    return out;
}

// The computed style of an element, inherited by its children.
struct Style {
    TextAttributes attributes;
    bool underline = false;     // decorations propagate to descendants
    double contentLeft = 0;     // left edge of block content: margins and paddings so far
    bool preformatted = false;
    std::vector<TextList> lists;
    int* listCounter = nullptr; // the innermost ordered list's item number
};

// Per-element values that do not inherit.
struct Box {
    bool ownUnderline = false;
    double marginLeft = 0;
    double marginTop = 0;
    double marginBottom = 0;
};

class Builder {
public:
    explicit Builder(const CssStyleSheet& sheet) : sheet_(sheet) {}

    void walkChildren(const GumboNode& node, const Style& style, int depth) {
        const GumboVector& children = node.type == GUMBO_NODE_DOCUMENT ? node.v.document.children
                                                                         : node.v.element.children;
        for (unsigned i = 0; i < children.length; ++i) {
            walk(*static_cast<const GumboNode*>(children.data[i]), style, depth + 1);
        }
    }

    void walk(const GumboNode& node, const Style& parent, int depth) {
        switch (node.type) {
        case GUMBO_NODE_TEXT: case GUMBO_NODE_WHITESPACE: case GUMBO_NODE_CDATA:
            appendText(node.v.text.text, parent);
            return;
        case GUMBO_NODE_DOCUMENT:
            walkChildren(node, parent, depth);
            return;
        case GUMBO_NODE_ELEMENT:
            break;
        default:
            return;  // comments, template contents
        }
        if (depth > maxStyledDepth) {
            walkChildren(node, parent, depth);
            return;
        }
        const GumboElement& element = node.v.element;
        const Kind kind = kindOf(element.tag);
        if (kind == Kind::skipped) return;
        if (kind == Kind::lineBreak) {
            text_.append("\n", paragraphAttributes(parent));
            pendingSpace_ = false;
            return;
        }
        if (kind == Kind::image) {
            appendImage(element, parent);
            return;
        }
        if (kind == Kind::transparent) {
            walkChildren(node, parent, depth);
            return;
        }

        Style style = parent;
        Box box = cascade(element, style);
        style.underline = parent.underline || box.ownUnderline;
        style.attributes.underline = style.underline;
        const bool isBlock = kind != Kind::inlineStyled;
        if (!isBlock) {
            walkChildren(node, style, depth);
            return;
        }

        style.contentLeft = parent.contentLeft + box.marginLeft;
        style.attributes.paragraph.firstLineHeadIndent = style.contentLeft;
        style.attributes.paragraph.headIndent = style.contentLeft;
        style.attributes.paragraph.textLists.clear();
        startBlock(box.marginTop);
        int counter = 0;
        if (kind == Kind::list) {
            const bool ordered = element.tag == GUMBO_TAG_OL;
            style.lists.push_back({ordered ? TextList::Marker::decimal : TextList::Marker::disc});
            if (ordered) {
                counter = intAttribute(element, "start").value_or(1) - 1;
                style.listCounter = &counter;
            }
        }
        if (kind == Kind::listItem) beginListItem(style);
        if (element.tag == GUMBO_TAG_PRE) style.preformatted = true;
        walkChildren(node, style, depth);
        endBlock(box.marginBottom);
    }

    AttributedString finish() { return std::move(text_); }

private:
    Box cascade(const GumboElement& element, Style& style) {
        Box box;
        const double em = style.attributes.font.size;
        const GumboTag tag = element.tag;
        // Defaults a browser would give these elements.
        auto heading = [&](double scale, double margin) {
            style.attributes.font.size = em * scale;
            style.attributes.font.weight = Font::bold;
            box.marginTop = box.marginBottom = em * scale * margin;
        };
        switch (tag) {
        case GUMBO_TAG_H1: heading(2, 0.67); break;
        case GUMBO_TAG_H2: heading(1.5, 0.83); break;
        case GUMBO_TAG_H3: heading(1.17, 1); break;
        case GUMBO_TAG_H4: heading(1, 1.33); break;
        case GUMBO_TAG_H5: heading(0.83, 1.67); break;
        case GUMBO_TAG_H6: heading(0.67, 2.33); break;
        case GUMBO_TAG_P: box.marginTop = box.marginBottom = em; break;
        case GUMBO_TAG_B: case GUMBO_TAG_STRONG: case GUMBO_TAG_TH: style.attributes.font.weight = Font::bold; break;
        case GUMBO_TAG_I: case GUMBO_TAG_EM: style.attributes.font.italic = true; break;
        case GUMBO_TAG_U: case GUMBO_TAG_INS: box.ownUnderline = true; break;
        case GUMBO_TAG_SMALL: style.attributes.font.size = em * 0.83; break;
        case GUMBO_TAG_BLOCKQUOTE: box.marginLeft = 40; box.marginTop = box.marginBottom = em; break;
        case GUMBO_TAG_UL: case GUMBO_TAG_OL:
            box.marginLeft = em * 1.6;
            if (style.lists.empty()) box.marginTop = box.marginBottom = em;
            break;
        case GUMBO_TAG_A:
            if (const char* href = attribute(element, "href")) {
                style.attributes.link = href;
                style.attributes.color = Color::fromRGBA8(0, 0, 0xEE);
                box.ownUnderline = true;
            }
            break;
        default: break;
        }
        const std::string name = gumbo_normalized_tagname(tag);
        const auto fromSheet = sheet_.declarationsFor(name);
        const char* inlineStyle = attribute(element, "style");
        const auto fromAttribute = inlineStyle ? CssStyleSheet::parseDeclarations(inlineStyle)
                                               : std::vector<CssStyleSheet::Declaration>{};
        // Normal declarations first, then !important ones; the style attribute wins within each.
        for (bool important : {false, true}) {
            for (const auto* list : {&fromSheet, &fromAttribute}) {
                for (const auto& d : *list) {
                    if (d.important == important) apply(d, em, style, box);
                }
            }
        }
        return box;
    }

    void apply(const CssStyleSheet::Declaration& d, double parentEm, Style& style, Box& box) {
        TextAttributes& a = style.attributes;
        const std::string value = lowerName(d.value);
        if (d.property == "color") {
            if (auto color = CssStyleSheet::parseColor(d.value)) a.color = *color;
        } else if (d.property == "font-size") {
            if (auto size = CssStyleSheet::parseLength(d.value, parentEm)) a.font.size = std::clamp(*size, 1.0, 400.0);
        } else if (d.property == "font-family") {
            a.font.family = familyFor(d.value);
        } else if (d.property == "font-weight") {
            int weight = 0;
            auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), weight);
            if (value == "bold" || value == "bolder") a.font.weight = Font::bold;
            else if (value == "normal") a.font.weight = Font::regular;
            else if (error == std::errc() && end == value.data() + value.size()) a.font.weight = std::clamp(weight, 100, 900);
        } else if (d.property == "font-style") {
            a.font.italic = value == "italic" || value == "oblique";
        } else if (d.property == "text-decoration" || d.property == "text-decoration-line") {
            if (value.find("underline") != std::string::npos) box.ownUnderline = true;
            else if (value == "none") box.ownUnderline = false;
        } else if (d.property == "margin-left" || d.property == "padding-left") {
            if (auto length = CssStyleSheet::parseLength(d.value, a.font.size)) {
                box.marginLeft = std::clamp(*length, 0.0, 1000.0);
            }
        } else if (d.property == "margin-top") {
            if (auto length = CssStyleSheet::parseLength(d.value, a.font.size)) box.marginTop = std::clamp(*length, 0.0, 1000.0);
        } else if (d.property == "margin-bottom") {
            if (auto length = CssStyleSheet::parseLength(d.value, a.font.size)) box.marginBottom = std::clamp(*length, 0.0, 1000.0);
        } else if (d.property == "text-align") {
            if (value == "center") a.paragraph.alignment = TextAlignment::center;
            else if (value == "right") a.paragraph.alignment = TextAlignment::right;
            else if (value == "justify") a.paragraph.alignment = TextAlignment::justified;
            else if (value == "left") a.paragraph.alignment = TextAlignment::left;
        }
    }

    // Platform font names (and the generic families) map to the UI face; others go first with
    // the UI face behind them.
    std::string familyFor(std::string_view value) const {
        const std::string v = lowerName(value);
        for (const char* generic : {"-apple-system", "system-ui", "blinkmacsystemfont", "sans-serif"}) {
            if (v.find(generic) != std::string::npos) return Font::systemFamily;
        }
        std::string family(value);
        std::erase_if(family, [](char c) { return c == '"' || c == '\''; });
        return family + ", " + Font::systemFamily;
    }

    bool atParagraphStart() const { return text_.empty() || text_.text().back() == '\n'; }

    TextAttributes paragraphAttributes(const Style& style) {
        TextAttributes a = style.attributes;
        if (atParagraphStart()) {
            a.paragraph.spacingBefore = pendingSpacing_;
            pendingSpacing_ = 0;
        } else {
            a.paragraph = currentParagraph_;
        }
        return a;
    }

    void append(std::string_view text, const TextAttributes& attributes) {
        if (atParagraphStart()) currentParagraph_ = attributes.paragraph;
        text_.append(text, attributes);
    }

    // Ends the current paragraph; the line break takes the styling of the text before it.
    void endParagraph() {
        if (atParagraphStart()) return;
        text_.append("\n", text_.runs().back().attributes);
    }

    void startBlock(double marginTop) {
        endParagraph();
        pendingSpace_ = false;
        lineStart_ = true;
        if (!text_.empty()) pendingSpacing_ = std::max(pendingSpacing_, marginTop);
    }

    void endBlock(double marginBottom) {
        endParagraph();
        pendingSpace_ = false;
        lineStart_ = true;
        pendingSpacing_ = std::max(pendingSpacing_, marginBottom);
    }

    void beginListItem(Style& style) {
        if (style.lists.empty()) style.lists.push_back({TextList::Marker::disc});
        const double em = style.attributes.font.size;
        const double markerBox = em * 1.6;
        ParagraphStyle& p = style.attributes.paragraph;
        p.headIndent = style.contentLeft;
        p.firstLineHeadIndent = std::max(0.0, style.contentLeft - markerBox);
        p.textLists = style.lists;
        std::string marker;
        if (style.lists.back().marker == TextList::Marker::decimal && style.listCounter) {
            marker = std::to_string(++*style.listCounter) + ".";
        } else {
            static constexpr std::array<const char*, 3> bullets{"\xE2\x80\xA2", "\xE2\x97\xA6", "\xE2\x96\xAA"};
            marker = bullets[(style.lists.size() - 1) % bullets.size()];
        }
        TextAttributes a = paragraphAttributes(style);
        a.link.clear();
        a.underline = false;
        append(marker + "\t", a);
        lineStart_ = true;
    }

    void appendImage(const GumboElement& element, const Style& style) {
        const int width = intAttribute(element, "width").value_or(0);
        const int height = intAttribute(element, "height").value_or(0);
        if (width <= 0 || height <= 0) return;  // nothing to leave room for
        flushSpace();
        TextAttributes a = paragraphAttributes(style);
        a.attachment = {std::min(width, 4096) * 1.0, std::min(height, 4096) * 1.0};
        a.underline = false;
        append(objectReplacement, a);
        lineStart_ = false;
    }

    void flushSpace() {
        if (!pendingSpace_ || lineStart_ || atParagraphStart()) {
            pendingSpace_ = false;
            return;
        }
        pendingSpace_ = false;
        TextAttributes a = spaceAttributes_;
        a.paragraph = currentParagraph_;
        append(" ", a);
    }

    // Collapses white space the way a browser does outside <pre>. A collapsed space keeps the
    // styling of the text it was in, so the space before a link is not underlined with it. Past
    // the paragraph's start, the node's words and spaces share one styling, made once.
    void appendText(std::string_view raw, const Style& style) {
        if (style.preformatted) {
            append(raw, paragraphAttributes(style));
            lineStart_ = atParagraphStart();
            return;
        }
        auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; };
        std::optional<TextAttributes> inParagraph;
        auto withinParagraph = [&]() -> const TextAttributes& {
            if (!inParagraph) {
                inParagraph = style.attributes;
                inParagraph->paragraph = currentParagraph_;
            }
            return *inParagraph;
        };
        bool ownSpace = false;  // the pending space is this node's
        std::size_t pos = 0;
        while (pos < raw.size()) {
            if (isSpace(raw[pos])) {
                ownSpace = ownSpace || !pendingSpace_;
                pendingSpace_ = true;
                ++pos;
                continue;
            }
            std::size_t end = pos;
            while (end < raw.size() && !isSpace(raw[end])) ++end;
            if (ownSpace && !lineStart_ && !atParagraphStart()) {
                append(" ", withinParagraph());
                pendingSpace_ = false;
            } else {
                flushSpace();
            }
            ownSpace = false;
            const std::string_view word = raw.substr(pos, end - pos);
            if (atParagraphStart()) append(word, paragraphAttributes(style));
            else append(word, withinParagraph());
            lineStart_ = false;
            pos = end;
        }
        // The space waits for the next word, perhaps in another element.
        if (ownSpace) spaceAttributes_ = style.attributes;
    }

    const CssStyleSheet& sheet_;
    AttributedString text_;
    ParagraphStyle currentParagraph_;
    double pendingSpacing_ = 0;
    bool pendingSpace_ = false;
    TextAttributes spaceAttributes_;
    bool lineStart_ = true;
};

// Every <style> element's text, in document order (gumbo puts them in <head>).
std::string collectStyleText(const GumboNode* root) {
    std::string css;
    std::vector<const GumboNode*> stack{root};
    while (!stack.empty()) {
        const GumboNode* node = stack.back();
        stack.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT) continue;
        const GumboVector& children = node->v.element.children;
        if (node->v.element.tag == GUMBO_TAG_STYLE) {
            for (unsigned i = 0; i < children.length; ++i) {
                const auto* child = static_cast<const GumboNode*>(children.data[i]);
                if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE) {
                    css += child->v.text.text;
                    css += '\n';
                }
            }
            continue;
        }
        for (unsigned i = children.length; i > 0; --i) stack.push_back(static_cast<const GumboNode*>(children.data[i - 1]));
    }
    return css;
}

void trimBlankEdges(AttributedString& text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; };
    const std::string& s = text.text();
    std::size_t end = s.size();
    while (end > 0 && isBlank(s[end - 1])) --end;
    text.erase(end, s.size() - end);
    std::size_t start = 0;
    while (start < s.size() && isBlank(s[start])) ++start;
    text.erase(0, start);
}

} // namespace

std::optional<AttributedString> HtmlImporter::import(std::string_view document, const Options& options) {
    if (document.size() > options.maxInputBytes) {
        logRefusal("input of " + std::to_string(document.size()) + " bytes is larger than " +
                   std::to_string(options.maxInputBytes));
        return std::nullopt;
    }
    if (!Utf8::isValid(document)) {
        logRefusal("input is not valid UTF-8");
        return std::nullopt;
    }
    if (estimatedNesting(document) > options.maxNesting) {
        logRefusal("elements nest deeper than " + std::to_string(options.maxNesting));
        return std::nullopt;
    }
    GumboOptions gumboOptions = kGumboDefaultOptions;
    gumboOptions.max_errors = 64;
    GumboOutputHandle output(gumbo_parse_with_options(&gumboOptions, document.data(), document.size()));
    if (!output || !output->root) {
        logRefusal("the parser produced no document");
        return std::nullopt;
    }
    const CssStyleSheet sheet = CssStyleSheet::parse(collectStyleText(output->root));
    Style base;
    base.attributes.font = options.font;
    base.attributes.color = options.color;
    Builder builder(sheet);
    builder.walk(*output->root, base, 0);
    AttributedString text = builder.finish();

    text.replaceAll(noBreakSpace, " ");
    text.forEachRun([&](TextAttributes& a, std::string_view) {
        if (!options.keepTextLists) a.paragraph.textLists.clear();
        if (!options.linkColor) return;
        if (!a.link.empty()) a.underline = true;
        if (a.underline) a.color = *options.linkColor;
    });
    trimBlankEdges(text);
    return text;
}

AttributedString HtmlImporter::importOrPlain(std::string_view document, std::string_view plainText,
                                             const Options& options) {
    if (auto text = import(document, options)) return std::move(*text);
    TextAttributes plain;
    plain.font = options.font;
    plain.color = options.color;
    return AttributedString(Utf8::sanitized(plainText), plain);
}

std::string HtmlImporter::plainText(std::string_view fragment) {
    if (fragment.find_first_of("<&") == std::string_view::npos) return std::string(fragment);
    Options options;
    options.keepTextLists = false;
    auto text = import(fragment, options);
    if (!text) return std::string(fragment);
    // A marker is followed by a tab for the list's indent, which plain text has not; an image
    // stands in the text as an object replacement character, which plain text cannot show.
    text->replaceAll("\t", " ");
    text->replaceAll("\xEF\xBF\xBC", "");
    return text->text();
}

} // namespace tvkit
