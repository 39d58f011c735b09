#include "QVTVConsent/model/TimestampUtils.h"

#include <limits>

#include "platform/DateFormatter.h"

namespace qvtv {

std::optional<std::string> TimestampUtils::string(std::optional<std::int64_t> millis) {
    if (!millis) return std::nullopt;
    return std::to_string(*millis);
}

std::optional<std::string> TimestampUtils::readableDateTime(std::optional<std::int64_t> millis) {
    if (!millis) return std::nullopt;
    return platform::DateFormatter::mediumDateTime(*millis);
}

std::optional<std::intptr_t> TimestampUtils::int64ToInt(std::optional<std::int64_t> millis) {
    if (!millis) return std::nullopt;
    if (*millis < std::numeric_limits<std::intptr_t>::min() || *millis > std::numeric_limits<std::intptr_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::intptr_t>(*millis);
}

} // namespace qvtv
