#include "platform/Url.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Url, AcceptsAbsoluteUrlsAsTheyAre) {
    for (const char* text : {"https://example.com/privacy?x=1&y=%20#top", "mailto:dpo@example.com",
                             "HTTP://EXAMPLE.COM", "tel:+44-20-7946-0000", "x-app+v1.2:open"}) {
        auto url = Url::parse(text);
        ASSERT_TRUE(url) << text;
        EXPECT_EQ(url->text(), text);
    }
    EXPECT_EQ(Url::parse("HTTP://EXAMPLE.COM")->scheme(), "http");
    EXPECT_EQ(Url::parse("mailto:dpo@example.com")->scheme(), "mailto");
}

TEST(Url, RefusesTextThatFormsNoUrl) {
    for (const char* text : {"", "privacy.html", ":nothing", "1http://a", "ht tp://a", "https:", "not a url",
                             "https://exa mple.com", "https://a/\n", "https://a/<b>", "https://a/%zz", "https://a/%4",
                             "https://caf\xC3\xA9.fr", "mailto:"}) {
        EXPECT_FALSE(Url::parse(text)) << text;
    }
}

} // namespace
} // namespace platform
