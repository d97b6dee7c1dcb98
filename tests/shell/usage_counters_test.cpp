#include "shell/usage_counters.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace shell {
namespace {

TEST(UsageCounters, AddCreatesAndAccumulates) {
  testing_support::TempFolder folder;
  const auto counters = folder / "Resource";
  EXPECT_EQ(UpdateCounter(counters, "LCounter", "1", 1, CounterMode::kAdd, false), 1);
  EXPECT_EQ(UpdateCounter(counters, "LCounter", "1", 1, CounterMode::kAdd, false), 2);
  EXPECT_EQ(folder.Read("Resource/LCounter.ini"),
            "THIS IS SYSTEM FILE, DO NOT EDIT AND DO NOT DELETE IT!\r\n2\r\n");
}

TEST(UsageCounters, AGarbledCounterRestartsFromTheAmount) {
  testing_support::TempFolder folder;
  folder.Write("LCounter.ini", "header\r\nlots\r\n");
  EXPECT_EQ(UpdateCounter(folder.path(), "LCounter", "1", 1, CounterMode::kAdd, false), 1);
}

TEST(UsageCounters, AnInterruptedRunIsCountedOnceAtTheNextStart) {
  testing_support::TempFolder folder;
  folder.Write("TNCounter.ini", "h\r\n1000\r\n");
  WriteWorkTimeRecord(folder.path(), 60'000);  // the timer's last record before a crash
  EXPECT_EQ(UpdateCounter(folder.path(), "TNCounter", "0", 0, CounterMode::kFold, false), 61'000);
  EXPECT_FALSE(std::filesystem::exists(folder / "TmpCnt.ini"));
  EXPECT_EQ(folder.Read("TNCounter.ini"),
            "THIS IS A SYSTEM FILE, DO NOT EDIT AND DO NOT DELETE IT!\r\n61000\r\n");
  // Without a record the fold changes nothing.
  EXPECT_EQ(UpdateCounter(folder.path(), "TNCounter", "0", 0, CounterMode::kFold, false), 0);
  EXPECT_EQ(ReadCounter(folder / "TNCounter.ini"), 61'000);
}

TEST(UsageCounters, ANormalCloseAddsTheRunAndDropsTheRecord) {
  testing_support::TempFolder folder;
  WriteWorkTimeRecord(folder.path(), 120'000);
  UpdateCounter(folder.path(), "TNCounter", "0", 125'000, CounterMode::kAdd, true);
  EXPECT_FALSE(std::filesystem::exists(folder / "TmpCnt.ini"));
  EXPECT_EQ(ReadCounter(folder / "TNCounter.ini"), 125'000);
}

}  // namespace
}  // namespace shell
