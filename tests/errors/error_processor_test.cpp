#include "errors/error_processor.h"

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "platform/text.h"
#include "tests/support/temp_folder.h"

namespace errors {
namespace {

class RecordingWindow : public ErrorWindow {
 public:
  void Show(const std::string& code_text) override { shown.push_back(code_text); }
  std::vector<std::string> shown;
};

class ErrorProcessorTest : public ::testing::Test {
 protected:
  ErrorProcessorTest() {
    Environment env;
    env.log_folder = [this] { return folder_ / "ErrorLog"; };
    env.interface_language = [] { return std::string("Russian"); };
    env.diagnostic_dump = [] { return std::string("\r\nULangSettings Language \"Russian\""); };
    env.system_info = [this] { return info_; };
    env.now = [] { return platform::LocalDateTime{2026, 12, 9, 18, 37, 2}; };
    env.tick_count = [] { return uint64_t{10'000 + 65'000}; };
    info_.user = "player";
    info_.computer = "PC-1";
    info_.os = {6, 1, 7601};
    info_.processor_type = 8664;
    info_.processor_level = 6;
    info_.memory_load = 40;
    info_.total_physical_kb = 4'000'000;
    info_.available_physical_kb = 2'400'000;
    info_.uptime_ms = 90'061'000;
    processor_.set_environment(env);
    processor_.set_start_tick(10'000);
    processor_.set_window(&window_);
  }

  std::string Log() const { return platform::ReadFileBytes(processor_.LogPath()).value_or(""); }

  testing_support::TempFolder folder_;
  platform::SystemInfo info_;
  RecordingWindow window_;
  ErrorProcessor processor_;
};

const Failure kFailure{"UIF.007-01", 2, "EFOpenError", 4'235'120};

TEST_F(ErrorProcessorTest, FirstErrorWritesOneEntryInTheLogLayout) {
  processor_.Report(kFailure);
  EXPECT_EQ(Log(),
            "=================================================\r\n"
            "09/12/2026 [18:37:02]\r\n"
            "Program = Vornak.TQ 1.5.0.2k.lang [Russian]\r\n"
            "WinVersion = 6.1.7601\r\n"
            "User = player\r\n"
            "PC = PC-1\r\n"
            "PC SysInfo:\r\n"
            "          ProcessorType: 8664\r\n"
            "          ProcessorLevel: 6\r\n"
            "          MemoryLoad = 40%\r\n"
            "          TotalPhys = 4000000 KB\r\n"
            "          AvailPhys = 2400000 KB\r\n"
            "OS worked = 1 days, 01:01:01\r\n"
            "Program worked = 00:01:05\r\n"
            "Adress = UIF.007-01.2 [EFOpenError]\r\n"
            "Add info = 4235120 / 4198400\r\n"
            "=================================================\r\n"
            "ULangSettings Language \"Russian\"\r\n");
  EXPECT_EQ(window_.shown, std::vector<std::string>{" 1.5.0-UIF.007-01.2"});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "ErrorLog"), {}), 1);
}

TEST_F(ErrorProcessorTest, MainWindowCodesCarryAFreshConfigurationReport) {
  int built = 0;
  processor_.set_report_builder([&] { return "[Main]\r\nN=" + std::to_string(++built); });
  processor_.Report({"UIF.001-01", 0, "E", 0});  // a shell unit: no report is built
  EXPECT_EQ(Log().find("Dump ="), std::string::npos);
  processor_.Report({"01.042-01", 0, "E", 0});
  const std::string log = Log();
  EXPECT_NE(log.find("=================================================\r\n"
                     "Dump = \"[Main]\r\nN=1\"\r\n"
                     "================================================="),
            std::string::npos);
  EXPECT_EQ(built, 1);
}

TEST_F(ErrorProcessorTest, OldLinesAreKeptOnlyBelowTheLimit) {
  std::string old_log;
  for (int i = 0; i < 600; ++i) old_log += std::string(98, 'a' + i % 26) + "\r\n";  // 60,000
  platform::WriteFileAtomic(processor_.LogPath(), old_log);
  processor_.Report(kFailure);
  const auto lines = platform::SplitLines(Log());
  const auto entry_lines = platform::SplitLines(processor_.BuildEntry(kFailure)).size();
  // 511 lines of 100 characters stay below 51,200; the 512th would reach it.
  ASSERT_EQ(lines.size(), entry_lines + 511);
  EXPECT_EQ(lines.back(), std::string(98, 'a' + 510 % 26));
}

TEST_F(ErrorProcessorTest, NothingIsLoggedWhileTheWindowIsOpenOrWhenDisabled) {
  struct NestingWindow : ErrorWindow {
    ErrorProcessor* processor = nullptr;
    int shown = 0;
    void Show(const std::string&) override {
      ++shown;
      processor->Report({"UAU.001-01", 0, "E", 0});  // a timer fails while the window is open
    }
  } nesting;
  nesting.processor = &processor_;
  processor_.set_window(&nesting);
  processor_.Report(kFailure);
  EXPECT_EQ(nesting.shown, 1);
  EXPECT_EQ(Log().find("UAU.001-01"), std::string::npos);

  ErrorProcessor disabled;
  disabled.set_environment(processor_.environment());
  disabled.set_disabled(true);
  std::filesystem::remove_all(folder_ / "ErrorLog");
  disabled.Report(kFailure);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "ErrorLog"));
}

TEST_F(ErrorProcessorTest, LongOrMissingNamesAreCutOrMarked) {
  info_.user = std::string(300, 'u');
  info_.computer = "";
  const std::string entry = processor_.BuildEntry(kFailure);
  EXPECT_NE(entry.find("User = " + std::string(254, 'u') + "\r\n"), std::string::npos);
  EXPECT_NE(entry.find("PC = n/a\r\n"), std::string::npos);
}

TEST_F(ErrorProcessorTest, AnUnwritableLogEndsTheReportQuietly) {
  folder_.Write("ErrorLog", "a file where the folder should be");
  processor_.Report(kFailure);
  EXPECT_EQ(window_.shown.size(), 1u);  // the user still sees the error
}

TEST_F(ErrorProcessorTest, ALogTheUserMadeReadOnlyIsLeftAsItIs) {
  const auto log = folder_.Write("ErrorLog/Error.Log", "kept\r\n");
  std::filesystem::permissions(log, std::filesystem::perms::owner_read);
  processor_.Report(kFailure);
  EXPECT_EQ(window_.shown.size(), 1u);
  EXPECT_EQ(Log(), "kept\r\n");
  EXPECT_EQ(std::filesystem::status(log).permissions(), std::filesystem::perms::owner_read);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "ErrorLog"), {}), 1);
}

}  // namespace
}  // namespace errors
