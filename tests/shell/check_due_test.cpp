#include "shell/check_due.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace shell {
namespace {

using platform::LocalDateTime;

TEST(IsCheckDue, FollowsTheDayAndHourRules) {
  const LocalDateTime today{2026, 12, 11, 0, 0, 0};
  struct Case {
    const char* file;  // nullptr: no file
    int interval_index;
    int hour_now;
    bool due;
  } cases[] = {
      {nullptr, 2, 10, true},
      {"11.12.2026\r\n08:00\r\n", 0, 23, false},  // checked today
      {"12.12.2026\r\n08:00\r\n", 0, 23, false},  // a date in the future
      {"10.11.2026\r\n08:00\r\n", 6, 0, true},    // 31 days ago
      {"05.12.2026\r\n08:00\r\n", 2, 0, true},    // 6 days, interval 5
      {"08.12.2026\r\n08:00\r\n", 2, 23, false},  // 3 days, interval 5
      {"06.12.2026\r\n14:20\r\n", 2, 13, false},  // 5 days: from 14:00 on
      {"06.12.2026\r\n14:20\r\n", 2, 14, true},
      {"06.12.2026\r\nnoon\r\n", 2, 0, false},  // no time: h = 0, due only at 23:00
      {"06.12.2026\r\nnoon\r\n", 2, 23, true},
      {"10.12.2026\r\n09:30\r\n", 0, 8, false},  // yesterday, daily: from 09:00 on
      {"10.12.2026\r\n09:30\r\n", 0, 9, true},
      {"10.12.2026\r\n09:30\r\n", 1, 23, false},  // yesterday, every three days
      {"10.12.2026\r\n", 0, 23, false},           // yesterday without a time: a failure
  };
  for (const auto& c : cases) {
    testing_support::TempFolder folder;
    if (c.file) folder.Write("VKNewVersion150_LastCheck.ini", c.file);
    LocalDateTime now = today;
    now.hour = c.hour_now;
    EXPECT_EQ(IsCheckDue(folder.path(), "VKNewVersion150", c.interval_index, now), c.due)
        << (c.file ? c.file : "no file") << " at " << c.hour_now;
  }
}

TEST(IsCheckDue, AFileWithoutADateIsDeletedAndNotDue) {
  testing_support::TempFolder folder;
  folder.Write("VKAutoC150_LastCheck.ini", "yesterday\r\n10:00\r\n");
  EXPECT_FALSE(IsCheckDue(folder.path(), "VKAutoC150", 0, {2026, 12, 11, 12}));
  EXPECT_FALSE(std::filesystem::exists(folder / "VKAutoC150_LastCheck.ini"));
}

TEST(CheckIntervalDays, MapsIndexesToDays) {
  EXPECT_EQ(CheckIntervalDays(0), 1);
  EXPECT_EQ(CheckIntervalDays(6), 30);
  EXPECT_EQ(CheckIntervalDays(7), 5);
  EXPECT_EQ(CheckIntervalDays(-1), 5);
}

}  // namespace
}  // namespace shell
