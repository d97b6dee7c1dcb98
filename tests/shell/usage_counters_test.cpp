#include "shell/usage_counters.h"

#include <gtest/gtest.h>

#include "errors/error_processor.h"
#include "tests/config/error_spy.h"
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

// A counter that cannot be kept reports the step that failed and leaves its state (name, the last
// line read or the caller's text, the amount, the mode) in the extra information; the program
// goes on with the amount.
TEST(UsageCounters, FailuresNameTheirStepAndLeaveTheCounterState) {
  struct Case {
    const char* name;
    std::function<int64_t(testing_support::TempFolder&)> run;
    int64_t result;
    const char* code;
    const char* details;
  } cases[] = {
      {"the counters folder cannot be made",
       [](testing_support::TempFolder& f) {
         f.Write("Resource", "a file where the folder should be");
         return UpdateCounter(f / "Resource", "LCounter", "1", 1, CounterMode::kAdd, false);
       },
       1, "URG.002-01", "\r\nLCounter\r\n1\r\n1\r\n0"},
      {"the counter cannot be written",
       [](testing_support::TempFolder& f) {
         std::filesystem::create_directories(f / "LCounter.ini" / "inside");
         return UpdateCounter(f.path(), "LCounter", "1", 1, CounterMode::kAdd, false);
       },
       1, "URG.002-03", "\r\nLCounter\r\n1\r\n1\r\n0"},
      {"the folded counter cannot be written",
       [](testing_support::TempFolder& f) {
         f.Write("TmpCnt.ini", "h\r\n60000\r\n");
         std::filesystem::create_directories(f / "TNCounter.ini" / "inside");
         return UpdateCounter(f.path(), "TNCounter", "0", 0, CounterMode::kFold, false);
       },
       60'000, "URG.002-14", "\r\nTNCounter\r\n60000\r\n60000\r\n1"},
      {"the work-time record cannot be written",
       [](testing_support::TempFolder& f) {
         std::filesystem::create_directories(f / "TmpCnt.ini" / "inside");
         WriteWorkTimeRecord(f.path(), 5'000);
         return int64_t{0};
       },
       0, "URG.002-16", ""},
  };
  for (const Case& c : cases) {
    testing_support::TempFolder folder;
    config_test::ErrorSpy errors;
    const size_t extra_before = errors::Processor().extra_information().size();
    EXPECT_EQ(c.run(folder), c.result) << c.name;
    EXPECT_EQ(errors.codes, std::vector<std::string>{c.code}) << c.name;
    EXPECT_EQ(errors::Processor().extra_information().substr(extra_before), c.details) << c.name;
  }
}

}  // namespace
}  // namespace shell
