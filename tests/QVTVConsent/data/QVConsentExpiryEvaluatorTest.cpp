#include "QVTVConsent/data/QVConsentExpiryEvaluator.h"

#include <gtest/gtest.h>

#include <chrono>

#include "QVTVConsent/ScopedLogSwitches.h"
#include "support/LogCapture.h"
#include "support/ScopedMainClock.h"

using qvtv::QVConsentExpiryEvaluator;

namespace {

std::int64_t utc(int y, unsigned m, unsigned d, int hour = 0) {
    using namespace std::chrono;
    const auto date = sys_days(year_month_day(year(y), month(m), day(d)));
    return duration_cast<milliseconds>(date.time_since_epoch() + hours(hour)).count();
}

} // namespace

TEST(QVConsentExpiryEvaluator, ComparesNowWithTheConsentInstantPlusCalendarMonths) {
    testsupport::ScopedMainClock now(utc(2026, 6, 15, 12));
    const auto oneYearAgo = utc(2025, 6, 15, 12);
    EXPECT_FALSE(QVConsentExpiryEvaluator::isConsentExpired(oneYearAgo + 1, 12));
    EXPECT_TRUE(QVConsentExpiryEvaluator::isConsentExpired(oneYearAgo, 12)) << "at the instant itself";
    EXPECT_TRUE(QVConsentExpiryEvaluator::isConsentExpired(oneYearAgo - 1, 12));
    EXPECT_FALSE(QVConsentExpiryEvaluator::isConsentExpired(utc(2025, 7, 15, 12), 12));

    // 31 January plus one month falls due on the last day of February at the same time of day.
    const auto endOfJanuary = utc(2026, 1, 31, 9);
    now.setWallMillis(utc(2026, 2, 28, 9) - 1);
    EXPECT_FALSE(QVConsentExpiryEvaluator::isConsentExpired(endOfJanuary, 1));
    now.setWallMillis(utc(2026, 2, 28, 9));
    EXPECT_TRUE(QVConsentExpiryEvaluator::isConsentExpired(endOfJanuary, 1));

    // A zero period expires at once; a negative one lies in the past; an unreachable date never expires.
    EXPECT_TRUE(QVConsentExpiryEvaluator::isConsentExpired(utc(2026, 2, 28, 9), 0));
    EXPECT_FALSE(QVConsentExpiryEvaluator::isConsentExpired(utc(2026, 2, 28, 9) + 1, 0));
    EXPECT_TRUE(QVConsentExpiryEvaluator::isConsentExpired(utc(2026, 3, 20), -1));
    EXPECT_FALSE(QVConsentExpiryEvaluator::isConsentExpired(utc(2026, 1, 1), INT64_MIN));
}

TEST(QVConsentExpiryEvaluator, MissingPeriodNeverExpiresAndMissingConsentTimeExpiresWithALogLine) {
    testsupport::ScopedMainClock now;
    testsupport::LogCapture log;
    testsupport::ScopedLogSwitches logs({.info = true});
    EXPECT_FALSE(QVConsentExpiryEvaluator::isConsentExpired(std::nullopt, std::nullopt));
    EXPECT_FALSE(QVConsentExpiryEvaluator::isConsentExpired(0, std::nullopt));
    EXPECT_TRUE(log.lines().empty());

    EXPECT_TRUE(QVConsentExpiryEvaluator::isConsentExpired(std::nullopt, 12));
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0],
              "[INFO] QVConsentExpiryEvaluator: isConsentExpired(nil, 12)\n"
              "lastConsentedAt not found, marking consent as expired to trigger recollection and persist new "
              "lastConsentedAt value");
}
