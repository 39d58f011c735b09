#pragma once
// UTF-8 checks for text that reaches Pango, which requires valid UTF-8 without NUL bytes.
//
//   if (!Utf8::isValid(input)) text = Utf8::sanitized(input);   // same length, '?' for bad bytes

#include <string>
#include <string_view>

namespace tvkit {

struct Utf8 {
    static bool isValid(std::string_view text);
    // `text` with every byte that is not part of a valid character (and every NUL) replaced by
    // '?', so byte offsets into the text stay the same.
    static std::string sanitized(std::string_view text);
};

} // namespace tvkit
