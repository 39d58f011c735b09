#include "QVTVConsent/ui/text/makeAttributedText.h"

#include "QVTVConsent/core/StringUtils.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace qvtv {
namespace {

using tvkit::Color;
using tvkit::TextAttributes;

const TextAttributes& at(const tvkit::AttributedString& s, std::string_view piece) {
    const std::size_t index = s.text().find(piece);
    EXPECT_NE(index, std::string::npos) << piece;
    return *s.attributesAt(index == std::string::npos ? 0 : index);
}

tvkit::AttributedString make(std::string_view html, std::string_view textColor = "#112233",
                             std::string_view linkColor = "#0A84FF") {
    return makeAttributedText(StringUtils::trim(html), textColor, linkColor);
}

TEST(MakeAttributedText, TemplateColoursGoIntoTheStyleSheetAsTheyAre) {
    const std::string sheet = htmlStyleSheet("#FFFFFF", "rgb(10, 132, 255)");
    EXPECT_EQ(sheet,
              "<style>\nbody {\n    font-family: -apple-system;\n    font-size: 14px;\n    color: #FFFFFF;\n}\n"
              "a {\n    color: rgb(10, 132, 255) !important;\n    text-decoration: underline !important;\n}\n"
              "ul, li {\n    margin-left: 24px;\n}\n</style>\n");
    EXPECT_NE(htmlStyleSheet("not a colour", "#0A84FF").find("color: not a colour;"), std::string::npos);

    const auto text = make("<p>Body</p>");
    EXPECT_EQ(at(text, "Body").color, Color::fromRGBA8(0x11, 0x22, 0x33));
    EXPECT_EQ(at(text, "Body").font.size, 14);
    // Hex digits without '#' are no CSS colour, yet the body still gets the template's colour;
    // text that is no colour at all leaves the default, black.
    EXPECT_EQ(at(make("<p>Body</p>", "FFFFFF"), "Body").color, Color::white());
    EXPECT_EQ(at(make("<p>Body</p>", "not a colour"), "Body").color, Color::black());
}

TEST(MakeAttributedText, LinksAndUnderlinesTakeTheLinkColourWhateverTheFragmentSays) {
    const auto text = make("<p>Read <a href=\"https://example.com/p\" style=\"color:#FF0000\">our policy</a> and "
                           "<u>this part</u> or <span style=\"color:#00FF00\">green</span>.</p>",
                           "#112233", "0A84FF");
    const Color link = Color::fromRGBA8(0x0A, 0x84, 0xFF);
    EXPECT_EQ(at(text, "our policy").color, link);
    EXPECT_TRUE(at(text, "our policy").underline);
    EXPECT_EQ(at(text, "our policy").link, "https://example.com/p");
    EXPECT_EQ(at(text, "this part").color, link);
    EXPECT_TRUE(at(text, "this part").link.empty());
    EXPECT_EQ(at(text, "green").color, Color::fromRGBA8(0, 0xFF, 0));
    EXPECT_FALSE(at(text, "Read").underline);
}

TEST(MakeAttributedText, BlankEdgesNoBreakSpacesListsAndUnsizedImages) {
    const auto text = make("\n\n  <p>Cookies&nbsp;and&nbsp;you</p><ul><li>One</li><li>Two</li></ul>"
                           "<p>A<img src=\"x.png\">B</p>\n\n<br>\n");
    EXPECT_EQ(text.text(), "Cookies and you\n\xE2\x80\xA2\tOne\n\xE2\x80\xA2\tTwo\nAB");
    for (const auto& run : text.runs()) {
        EXPECT_TRUE(run.attributes.paragraph.textLists.empty());
        EXPECT_TRUE(run.attributes.attachment.isEmpty());
    }
    // The list keeps its indent even without list information.
    EXPECT_GT(at(text, "One").paragraph.headIndent, 0);
}

TEST(MakeAttributedText, FragmentsThatCannotBeImportedShowAsTheirOwnPlainText) {
    testsupport::LogCapture log;
    const std::string notUtf8 = "<p>caf\xE9 <b>au lait</b></p>";
    const auto text = make("\n  " + notUtf8 + "\n");
    EXPECT_EQ(text.text(), "<p>caf? <b>au lait</b></p>");
    ASSERT_EQ(text.runs().size(), 1u);
    EXPECT_FALSE(text.runs()[0].attributes.underline);
    EXPECT_TRUE(log.contains("[WARN] HtmlImporter: input is not valid UTF-8; showing plain text"));

    // Templates far beyond a megabyte still import rather than show their markup.
    std::string big;
    while (big.size() < 2'000'000) big += "<p>We store and access information on your device.</p>";
    const auto imported = make(big);
    EXPECT_EQ(imported.text().find('<'), std::string::npos);
}

} // namespace
} // namespace qvtv
