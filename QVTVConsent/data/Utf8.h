#pragma once
// Strict UTF-8 validation (no overlong forms, no surrogates, nothing above U+10FFFF), for bytes
// that arrive from the network or the stores before they are treated as text.
//
//   if (!qvtv::Utf8::isValid(body)) return failure();

#include <string_view>

namespace qvtv {

class Utf8 {
public:
    static bool isValid(std::string_view bytes);
};

} // namespace qvtv
