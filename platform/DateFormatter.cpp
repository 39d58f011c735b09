#include "platform/DateFormatter.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace platform {
namespace {

constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

} // namespace

std::string DateFormatter::mediumDateTime(std::int64_t millis, const Locale& locale) {
    std::time_t seconds = static_cast<std::time_t>(floorDiv(millis, 1000));
    std::tm t{};
    if (!localtime_r(&seconds, &t)) return std::to_string(millis);
    char out[64];
    const long year = static_cast<long>(t.tm_year) + 1900;
    if (locale.languageCode == "en" && (!locale.regionCode || *locale.regionCode == "US")) {
        int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
        std::snprintf(out, sizeof out, "%s %d, %ld at %d:%02d:%02d %s", kMonths[t.tm_mon], t.tm_mday, year,
                      hour12, t.tm_min, t.tm_sec, t.tm_hour < 12 ? "AM" : "PM");
    } else if (locale.languageCode == "en") {
        std::snprintf(out, sizeof out, "%d %s %ld, %02d:%02d:%02d", t.tm_mday, kMonths[t.tm_mon], year, t.tm_hour,
                      t.tm_min, t.tm_sec);
    } else {
        std::snprintf(out, sizeof out, "%04ld-%02d-%02d %02d:%02d:%02d", year, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                      t.tm_min, t.tm_sec);
    }
    return out;
}

} // namespace platform
