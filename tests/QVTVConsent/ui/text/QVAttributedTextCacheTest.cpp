#include "QVTVConsent/ui/text/QVAttributedTextCache.h"

#include "QVTVConsent/ui/text/QVAttributedTextView.h"

#include <gtest/gtest.h>

namespace qvtv {
namespace {

QVHtmlData page(std::string html, std::string linkColor = "#0A84FF") {
    return {std::move(html), "#FFFFFF", "#FFFFFF", std::move(linkColor), "#2E3A46"};
}

const tvkit::Color* colourOf(const tvkit::AttributedString& text, std::string_view word) {
    const std::size_t at = text.text().find(word);
    const tvkit::TextAttributes* a = at == std::string::npos ? nullptr : text.attributesAt(at);
    return a ? &a->color : nullptr;
}

TEST(QVAttributedTextCache, ConvertsEachTextOnceAndTellsTextsApartByEverythingTheConversionReads) {
    QVAttributedTextCache texts;
    const QVHtmlData policy = page("  <p>Read <a href=\"https://example.com\">this</a>.</p>  ");
    const tvkit::AttributedString& first = texts.text(policy);
    EXPECT_EQ(first.text(), QVAttributedTextCache::convert(policy).text());
    EXPECT_EQ(first.runs().size(), QVAttributedTextCache::convert(policy).runs().size());
    EXPECT_EQ(&texts.text(policy), &first) << "kept, not converted again";

    // Another link colour or another text is another entry; the first stays as it was.
    const tvkit::AttributedString& red = texts.text(page(policy.html, "#FF0000"));
    ASSERT_TRUE(colourOf(red, "this") && colourOf(first, "this"));
    EXPECT_EQ(*colourOf(red, "this"), tvkit::Color::fromRGBA8(0xFF, 0, 0));
    EXPECT_NE(*colourOf(first, "this"), *colourOf(red, "this"));
    EXPECT_EQ(texts.text(page("<p>Other</p>")).text(), "Other");
    EXPECT_EQ(texts.text(policy).text(), "Read this.");

    // A view made over the kept text shows what one converting for itself shows.
    QVAttributedTextView kept(policy, &texts);
    QVAttributedTextView own(policy);
    EXPECT_EQ(kept.attributedText().text(), own.attributedText().text());
    EXPECT_EQ(kept.attributedText().links(), own.attributedText().links());
}

} // namespace
} // namespace qvtv
