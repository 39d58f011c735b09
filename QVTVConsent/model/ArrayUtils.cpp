#include "QVTVConsent/model/ArrayUtils.h"

#include <algorithm>

#include "QVTVConsent/core/StringUtils.h"

namespace qvtv {

bool ArrayUtils::containsIgnoreCase(const std::vector<std::string>& list, std::string_view text) {
    return std::ranges::any_of(list, [&](const std::string& item) { return StringUtils::equalsIgnoreCase(item, text); });
}

} // namespace qvtv
