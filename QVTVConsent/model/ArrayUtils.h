#pragma once
// List helpers for texts from templates, such as matching the device region against the regions
// of a Google Consent Mode setting.
//
//   qvtv::ArrayUtils::containsIgnoreCase({"US", "All"}, "all");   // true

#include <string>
#include <string_view>
#include <vector>

namespace qvtv {

class ArrayUtils {
public:
    // True when some element equals `text` ignoring letter case; an empty list gives false.
    static bool containsIgnoreCase(const std::vector<std::string>& list, std::string_view text);
};

} // namespace qvtv
