#pragma once
// Human-readable timestamps in the device's locale and time zone (the TZ environment, as the
// system's time-zone setting gives it).
//
//   platform::DateFormatter::mediumDateTime(0);   // "Jan 1, 1970 at 12:00:00 AM" for en_US in UTC

#include <cstdint>
#include <string>

#include "platform/Locale.h"

namespace platform {

class DateFormatter {
public:
    // Medium date and medium time: "Jan 1, 1970 at 12:00:00 AM" in US English, "1 Jan 1970,
    // 00:00:00" in other English regions, and the unambiguous "1970-01-01 00:00:00" elsewhere.
    static std::string mediumDateTime(std::int64_t millisSince1970,
                                      const Locale& locale = Locale::current());
};

} // namespace platform
