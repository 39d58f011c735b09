#include "platform/GregorianCalendar.h"

#include <gtest/gtest.h>

#include <chrono>

using platform::GregorianCalendar;

namespace {

std::int64_t utc(int y, unsigned m, unsigned d, int hour = 0, int minute = 0, int ms = 0) {
    using namespace std::chrono;
    const auto date = sys_days(year_month_day(year(y), month(m), day(d)));
    return duration_cast<milliseconds>(date.time_since_epoch() + hours(hour) + minutes(minute)).count() + ms;
}

} // namespace

TEST(GregorianCalendar, AddsMonthsEitherWayKeepingDayAndTimeAndClampsToShorterMonths) {
    EXPECT_EQ(GregorianCalendar::addingMonths(utc(2026, 3, 15, 10, 30, 250), 1), utc(2026, 4, 15, 10, 30, 250));
    EXPECT_EQ(GregorianCalendar::addingMonths(utc(2026, 1, 31, 10), 1), utc(2026, 2, 28, 10));
    EXPECT_EQ(GregorianCalendar::addingMonths(utc(2028, 1, 31, 10), 1), utc(2028, 2, 29, 10));
    EXPECT_EQ(GregorianCalendar::addingMonths(utc(2026, 11, 30), 3), utc(2027, 2, 28));
    EXPECT_EQ(GregorianCalendar::addingMonths(utc(2026, 5, 31), 12), utc(2027, 5, 31));
    EXPECT_EQ(GregorianCalendar::addingMonths(utc(2026, 5, 31), 0), utc(2026, 5, 31));
    // Backwards, and instants before 1970.
    EXPECT_EQ(GregorianCalendar::addingMonths(utc(2026, 3, 31, 23, 59, 999), -1), utc(2026, 2, 28, 23, 59, 999));
    EXPECT_EQ(GregorianCalendar::addingMonths(utc(2026, 1, 15), -13), utc(2024, 12, 15));
    EXPECT_EQ(GregorianCalendar::addingMonths(utc(1969, 12, 31, 23, 0, 1), 2), utc(1970, 2, 28, 23, 0, 1));
    EXPECT_EQ(GregorianCalendar::addingMonths(-1, 1), utc(1970, 1, 31, 23, 59) + 59'999);
}

TEST(GregorianCalendar, AnswersNothingOutsideTheRepresentableYears) {
    EXPECT_EQ(GregorianCalendar::addingMonths(0, INT64_MAX), std::nullopt);
    EXPECT_EQ(GregorianCalendar::addingMonths(0, INT64_MIN), std::nullopt);
    EXPECT_EQ(GregorianCalendar::addingMonths(INT64_MAX, 1), std::nullopt);
    EXPECT_EQ(GregorianCalendar::addingMonths(0, 12LL * 40000), std::nullopt);
    EXPECT_TRUE(GregorianCalendar::addingMonths(0, 12LL * 30000).has_value());
}
