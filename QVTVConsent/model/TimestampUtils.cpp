#include "QVTVConsent/model/TimestampUtils.h"

#include <ctime>
#include <limits>

namespace qvtv {
namespace {

// The one place that turns an instant into display text, so a platform formatter can replace it.
std::optional<std::string> formatMediumDateTime(std::time_t seconds) {
    std::tm local{};
    if (!localtime_r(&seconds, &local)) return std::nullopt;
    char buffer[128];
    std::size_t length = std::strftime(buffer, sizeof buffer, "%d %b %Y %X", &local);
    if (length == 0) return std::nullopt;
    return std::string(buffer, length);
}

} // namespace

std::optional<std::string> TimestampUtils::string(std::optional<std::int64_t> millis) {
    if (!millis) return std::nullopt;
    return std::to_string(*millis);
}

std::optional<std::string> TimestampUtils::readableDateTime(std::optional<std::int64_t> millis) {
    if (!millis) return std::nullopt;
    // Floor division keeps instants before 1970 in the right second.
    std::int64_t seconds = *millis / 1000 - (*millis % 1000 < 0 ? 1 : 0);
    if (seconds < std::numeric_limits<std::time_t>::min() || seconds > std::numeric_limits<std::time_t>::max()) {
        return std::nullopt;
    }
    return formatMediumDateTime(static_cast<std::time_t>(seconds));
}

std::optional<std::intptr_t> TimestampUtils::int64ToInt(std::optional<std::int64_t> millis) {
    if (!millis) return std::nullopt;
    if (*millis < std::numeric_limits<std::intptr_t>::min() || *millis > std::numeric_limits<std::intptr_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::intptr_t>(*millis);
}

} // namespace qvtv
