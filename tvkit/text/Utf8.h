#pragma once
// UTF-8 checks for text that reaches Pango, which requires valid UTF-8 without NUL bytes, and
// where the last user-perceived character of a text begins, for editors that delete backwards.
//
//   if (!Utf8::isValid(input)) text = Utf8::sanitized(input);   // same length, '?' for bad bytes
//   text.erase(Utf8::lastCharacterStart(text));                  // drops "e\u0301" or a flag whole

#include <string>
#include <string_view>

namespace tvkit {

struct Utf8 {
    static bool isValid(std::string_view text);
    // `text` with every byte that is not part of a valid character (and every NUL) replaced by
    // '?', so byte offsets into the text stay the same.
    static std::string sanitized(std::string_view text);
    // The byte offset where the last grapheme cluster of valid UTF-8 `text` starts (0 for an
    // empty text): a letter with its combining accents, an emoji with its modifiers and joined
    // parts, a flag, a Hangul syllable or a CR LF pair. Only the end of the text is examined.
    static std::size_t lastCharacterStart(std::string_view text);
};

} // namespace tvkit
