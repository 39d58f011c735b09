#pragma once
// Text forms of stored timestamps: signed 64-bit milliseconds since 1970 UTC, possibly absent.
//
//   qvtv::TimestampUtils::string(1700000000000);             // "1700000000000"
//   qvtv::TimestampUtils::readableDateTime(0);   // "Jan 1, 1970 at 12:00:00 AM" for en_US in UTC

#include <cstdint>
#include <optional>
#include <string>

namespace qvtv {

class TimestampUtils {
public:
    // The decimal text, or nothing for an absent value.
    static std::optional<std::string> string(std::optional<std::int64_t> millis);

    // Medium date and medium time in the device's locale and time zone; nothing for an absent value.
    static std::optional<std::string> readableDateTime(std::optional<std::int64_t> millis);

    // The value as a native integer; nothing when absent or when it does not fit (32-bit targets).
    static std::optional<std::intptr_t> int64ToInt(std::optional<std::int64_t> millis);
};

} // namespace qvtv
