#pragma once
// Decides whether text forms an absolute URL that can be handed to whatever opens links: a
// scheme (a letter, then letters, digits, '+', '-' or '.'), a colon, and a remainder made only
// of characters a URL may carry unencoded. Nothing is normalised or decoded.
//
//   auto url = platform::Url::parse("mailto:dpo@example.com");
//   if (url && url->scheme() == "mailto") open(url->text());

#include <optional>
#include <string>
#include <string_view>

namespace platform {

class Url {
public:
    // None when `text` is not an absolute URL (no scheme, an empty remainder, white space,
    // control characters, non-ASCII or other characters that must be percent-encoded).
    static std::optional<Url> parse(std::string_view text);

    const std::string& text() const { return text_; }
    // Lower case, without the colon.
    const std::string& scheme() const { return scheme_; }

private:
    Url(std::string text, std::string scheme) : text_(std::move(text)), scheme_(std::move(scheme)) {}

    std::string text_;
    std::string scheme_;
};

} // namespace platform
