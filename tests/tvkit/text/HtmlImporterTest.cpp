#include "tvkit/text/HtmlImporter.h"

#include "support/LogCapture.h"
#include "tvkit/text/TextLayout.h"

#include <gtest/gtest.h>

using namespace tvkit;

namespace {

// The style sheet the consent screens put in front of template HTML.
std::string document(const std::string& textColor, const std::string& linkColor, const std::string& fragment) {
    return "<style>\nbody {\n    font-family: -apple-system;\n    font-size: 14px;\n    color: " + textColor +
           ";\n}\na {\n    color: " + linkColor +
           " !important;\n    text-decoration: underline !important;\n}\nul, li {\n    margin-left: 24px;\n}\n</style>\n" +
           fragment;
}

const TextAttributes& at(const AttributedString& s, std::string_view needle) {
    const std::size_t index = s.text().find(needle);
    EXPECT_NE(index, std::string::npos) << needle;
    static const TextAttributes none;
    const TextAttributes* a = s.attributesAt(index);
    return a ? *a : none;
}

const Color textColor = Color::fromRGBA8(0x33, 0x44, 0x55);
const Color linkColor = Color::fromRGBA8(0x0A, 0x84, 0xFF);

} // namespace

TEST(HtmlImporter, StyleSheetSetsBodyFontAndColourAndLinks) {
    auto s = HtmlImporter::import(document("#334455", "#0A84FF", "<p>Hello <a href=\"https://x.example/p\">policy</a></p>"));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->text(), "Hello policy");
    const TextAttributes& hello = at(*s, "Hello");
    EXPECT_EQ(hello.color, textColor);
    EXPECT_EQ(hello.font.size, 14);
    EXPECT_EQ(hello.font.family, Font::systemFamily);
    EXPECT_FALSE(hello.underline);
    const TextAttributes& link = at(*s, "policy");
    EXPECT_EQ(link.link, "https://x.example/p");
    EXPECT_EQ(link.color, linkColor);
    EXPECT_TRUE(link.underline);

    // !important in the sheet beats an inline colour on the link itself.
    auto inlineLink = HtmlImporter::import(document("#334455", "#0A84FF", "<a href=\"u\" style=\"color: red\">x</a>"));
    EXPECT_EQ(at(*inlineLink, "x").color, linkColor);

    // A colour that is not CSS leaves the default colour in place; nothing breaks.
    auto bad = HtmlImporter::import(document("not-a-colour", "#0A84FF", "plain"));
    EXPECT_EQ(at(*bad, "plain").color, Color::black());
}

TEST(HtmlImporter, LinkColourOptionWinsOverNestedInlineColoursAndColoursUnderlines) {
    HtmlImporter::Options options;
    options.linkColor = linkColor;
    auto s = HtmlImporter::import(
        document("#334455", "#0A84FF",
                 "<a href=\"https://x\"><span style=\"color:#ff0000\">red link</span></a> "
                 "<span style=\"text-decoration: underline\">underlined</span> <u>u</u> normal"),
        options);
    ASSERT_TRUE(s);
    EXPECT_EQ(at(*s, "red link").color, linkColor);
    EXPECT_TRUE(at(*s, "red link").underline);
    EXPECT_EQ(at(*s, "underlined").color, linkColor);
    EXPECT_TRUE(at(*s, "underlined").link.empty());
    EXPECT_EQ(at(*s, "u normal").color, linkColor);
    EXPECT_EQ(at(*s, "normal").color, textColor);

    // The space before a link belongs to the text before it: no underline sticks out.
    auto spaced = HtmlImporter::import(document("#334455", "#0A84FF", "Read the\n<a href=\"x\">policy</a>"), options);
    EXPECT_EQ(spaced->text(), "Read the policy");
    EXPECT_FALSE(at(*spaced, " policy").underline);
}

TEST(HtmlImporter, ListsKeepVisibleMarkersAndIndents) {
    auto s = HtmlImporter::import(
        document("#334455", "#0A84FF", "<ul><li>First</li><li>Second</li></ul><ol start=\"3\"><li>Third</li></ol>"));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->text(), "\xE2\x80\xA2\tFirst\n\xE2\x80\xA2\tSecond\n3.\tThird");
    const TextAttributes& first = at(*s, "\xE2\x80\xA2\tFirst");
    EXPECT_EQ(first.paragraph.headIndent, 48);  // ul 24 + li 24
    EXPECT_LT(first.paragraph.firstLineHeadIndent, 48);
    ASSERT_EQ(first.paragraph.textLists.size(), 1u);
    EXPECT_EQ(at(*s, "3.").paragraph.textLists[0].marker, TextList::Marker::decimal);

    HtmlImporter::Options options;
    options.keepTextLists = false;
    auto flat = HtmlImporter::import(document("#334455", "#0A84FF", "<ul><li>First</li></ul>"), options);
    EXPECT_EQ(flat->text(), "\xE2\x80\xA2\tFirst");
    EXPECT_TRUE(at(*flat, "First").paragraph.textLists.empty());
}

TEST(HtmlImporter, WhiteSpaceEntitiesAndBlankEdges) {
    auto s = HtmlImporter::import(document("#334455", "#0A84FF",
                                           "\n\n<br><p>  Cookies&nbsp;and&nbsp;you  &amp; <b>bold</b><i>it</i>\n"
                                           "  line<br>next</p><div></div><br><br>\n"));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->text(), "Cookies and you & boldit line\nnext");
    EXPECT_EQ(at(*s, "bold").font.weight, Font::bold);
    EXPECT_TRUE(at(*s, "it").font.italic);

    // Spaces that collapse into one take the styling of the first, wherever the next word is.
    auto spaces = HtmlImporter::import(
        document("#334455", "#0A84FF", "<p>a <b>b </b> <i> c</i> <a href=\"x\">d </a>e</p><p><b> f </b>g</p>"));
    ASSERT_TRUE(spaces);
    EXPECT_EQ(spaces->text(), "a b c d e\nf g");
    EXPECT_EQ(at(*spaces, " b").font.weight, Font::regular);
    EXPECT_EQ(at(*spaces, " c").font.weight, Font::bold);
    EXPECT_FALSE(at(*spaces, " c").font.italic);
    EXPECT_TRUE(at(*spaces, "c").font.italic);
    EXPECT_TRUE(at(*spaces, " e").underline);
    EXPECT_FALSE(at(*spaces, "e").underline);
    EXPECT_EQ(at(*spaces, " g").font.weight, Font::bold);
    EXPECT_EQ(at(*spaces, "f g").paragraph.spacingBefore, at(*spaces, " g").paragraph.spacingBefore);

    // Headings are bold and larger; blocks become paragraphs with spacing between them.
    auto h = HtmlImporter::import(document("#334455", "#0A84FF", "<h1>Title</h1><p>One</p><p>Two</p>"));
    EXPECT_EQ(h->text(), "Title\nOne\nTwo");
    EXPECT_EQ(at(*h, "Title").font.size, 28);
    EXPECT_GT(at(*h, "Two").paragraph.spacingBefore, 0);
}

TEST(HtmlImporter, ImagesWithoutSizeLeaveNothingAndScriptsAreDropped) {
    auto s = HtmlImporter::import(
        "A<img src=\"x.png\">B<img src=\"y.png\" width=\"20\" height=\"10\">C<script>alert(1)</script>"
        "<style>p{}</style><iframe>frame</iframe>");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->text(), "AB\xEF\xBF\xBC" "C");
    EXPECT_EQ(at(*s, "\xEF\xBF\xBC").attachment, (Size{20, 10}));
    // The sized image leaves its room in the layout.
    EXPECT_GT(TextLayout::measure(*s, 0).width, TextLayout::measure(AttributedString("ABC", at(*s, "A")), 0).width + 19);
}

TEST(HtmlImporter, UnusableInputFallsBackToPlainTextWithAReason) {
    testsupport::LogCapture log;
    const std::string notUtf8 = "<p>caf\xE9</p>";
    EXPECT_FALSE(HtmlImporter::import(notUtf8));
    EXPECT_TRUE(log.contains("[WARN] HtmlImporter: input is not valid UTF-8; showing plain text"));

    HtmlImporter::Options options;
    options.maxInputBytes = 10;
    EXPECT_FALSE(HtmlImporter::import("<p>far too long</p>", options));

    std::string deep;
    for (int i = 0; i < 5000; ++i) deep += "<div>";
    EXPECT_FALSE(HtmlImporter::import(deep + "x"));
    EXPECT_TRUE(log.contains("[WARN] HtmlImporter: elements nest deeper than 2048; showing plain text"));

    const AttributedString shown = HtmlImporter::importOrPlain(notUtf8, "<p>caf\xE9</p>", options);
    EXPECT_EQ(shown.text(), "<p>caf?</p>");

    // Broken but parseable HTML is repaired by the parser, never refused.
    auto broken = HtmlImporter::import("<p>open <b>bold <a href='x'>link</p> tail</b></i>");
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->text(), "open bold link\ntail");

    // Styling stops at a fixed depth but the text is kept.
    std::string nested;
    for (int i = 0; i < 300; ++i) nested += "<span>";
    auto kept = HtmlImporter::import(nested + "deep");
    EXPECT_EQ(kept->text(), "deep");
}

TEST(HtmlImporter, PlainTextKeepsTheWordsLinesAndMarkersButNoMarkup) {
    EXPECT_EQ(HtmlImporter::plainText("<p>Needed to <b>run</b>.</p><p><i>Purposes:</i></p>"
                                      "<ul><li>Signing in</li><li>DRM</li></ul><p>A child&rsquo;s"
                                      "<img src=\"a.png\" width=\"4\" height=\"4\"> name</p>"),
              "Needed to run.\nPurposes:\n\xE2\x80\xA2 Signing in\n\xE2\x80\xA2 DRM\nA child\xE2\x80\x99s name");
    // Text that holds no markup is shown as written, line breaks and all.
    EXPECT_EQ(HtmlImporter::plainText("Line one\n  line two"), "Line one\n  line two");
    EXPECT_EQ(HtmlImporter::plainText(""), "");
    // What cannot be imported stays as it came rather than vanishing.
    testsupport::LogCapture log;
    EXPECT_EQ(HtmlImporter::plainText("<p>caf\xE9</p>"), "<p>caf\xE9</p>");
}
