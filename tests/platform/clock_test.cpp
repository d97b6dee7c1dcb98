#include "platform/clock.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(DurationText, GivesDaysAndClockTime) {
  EXPECT_EQ(DurationText(90'061'000), "1 days, 01:01:01");
  EXPECT_EQ(DurationText(2 * 86'400'000ull + 3 * 3'600'000 + 15 * 60'000 + 9'999),
            "2 days, 03:15:09");
  EXPECT_EQ(DurationText(0), "00:00:00");
}

TEST(ShortDate, RoundTripsAndRejectsImpossibleDates) {
  const LocalDateTime when{2026, 12, 9, 18, 37, 2};
  EXPECT_EQ(FormatShortDate(when), "09.12.2026");
  EXPECT_EQ(FormatTime(when), "18:37:02");
  const auto parsed = ParseShortDate("09.12.2026");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->day, 9);
  for (const char* bad : {"31.02.2026", "1.13.2026", "aa.bb.cccc", "09.12", "09.12.2026.1", ""}) {
    EXPECT_FALSE(ParseShortDate(bad)) << bad;
  }
  EXPECT_TRUE(ParseTime("14:20"));
  EXPECT_FALSE(ParseTime("25:00:00"));
}

TEST(DaysBetween, CountsCalendarDays) {
  EXPECT_EQ(DaysBetween({2026, 2, 27}, {2026, 3, 1}), 2);
  EXPECT_EQ(DaysBetween({2026, 3, 1}, {2026, 2, 27}), -2);
  EXPECT_EQ(DaysBetween({2025, 12, 31, 23, 59}, {2026, 1, 1, 0, 0}), 1);
}

}  // namespace
}  // namespace platform
