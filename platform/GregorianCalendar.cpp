#include "platform/GregorianCalendar.h"

#include <chrono>

namespace platform {

std::optional<std::int64_t> GregorianCalendar::addingMonths(std::int64_t utcMillis, std::int64_t months) {
    using namespace std::chrono;
    // Bounds that keep the month count and the resulting day count far from overflow.
    constexpr std::int64_t maxMonths = 12LL * 65535;
    constexpr std::int64_t maxMillis = 86'400'000LL * 366 * 30000;
    if (months > maxMonths || months < -maxMonths) return std::nullopt;
    if (utcMillis > maxMillis || utcMillis < -maxMillis) return std::nullopt;

    const sys_time<milliseconds> instant{milliseconds(utcMillis)};
    const auto day = floor<days>(instant);
    const auto timeOfDay = instant - day;
    const year_month_day date{day};

    // Month arithmetic in 64 bits so no intermediate wraps before the range check.
    const std::int64_t monthIndex = static_cast<std::int64_t>(int(date.year())) * 12 +
                                    (static_cast<std::int64_t>(unsigned(date.month())) - 1) + months;
    const std::int64_t targetYear = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
    const auto targetMonth = static_cast<unsigned>(monthIndex - targetYear * 12 + 1);
    if (targetYear < int(year::min()) || targetYear > int(year::max())) return std::nullopt;

    const year_month target{year(static_cast<int>(targetYear)), month(targetMonth)};
    const auto lastDay = year_month_day_last(target.year(), month_day_last(target.month())).day();
    const year_month_day result{target.year(), target.month(), date.day() > lastDay ? lastDay : date.day()};
    return (sys_days(result) + timeOfDay).time_since_epoch().count();
}

} // namespace platform
