#pragma once
// Calendar arithmetic on UTC instants in the proleptic Gregorian calendar, for ages measured in
// months (consent retention). Adding months keeps the day of month and the time of day, or
// clamps to the last day of a shorter target month; negative months go back.
//
//   // 2026-01-31T10:00Z plus one month is 2026-02-28T10:00Z.
//   auto due = platform::GregorianCalendar::addingMonths(millis, 1);

#include <cstdint>
#include <optional>

namespace platform {

class GregorianCalendar {
public:
    // `utcMillis` counts milliseconds since 1970-01-01T00:00Z. Answers nothing when the result
    // would leave the years the calendar can represent (-32767 to 32767).
    static std::optional<std::int64_t> addingMonths(std::int64_t utcMillis, std::int64_t months);

    GregorianCalendar() = delete;
};

} // namespace platform
