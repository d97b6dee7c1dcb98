// The error processor: every guarded routine that fails hands its location code here. The
// processor writes a diagnostic entry at the top of the error log (keeping the log below its size
// limit) and asks the error window to show the code. Headless, there is no window and it only
// logs.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/system_info.h"

namespace errors {

// What was known about one failure at the moment it was caught.
struct Failure {
  std::string code;         // location code "UU.FFF-NN"
  int error_number = 0;     // system error number captured where the failure happened
  std::string error_class;  // type of the error object
  uintptr_t address = 0;    // where it was raised, when known
};

// The window that shows an error to the user (implemented by the UI).
class ErrorWindow {
 public:
  virtual ~ErrorWindow() = default;
  // `code_text` is appended to the window's error-code panel: " 1.5.0-UIF.007-01.2".
  virtual void Show(const std::string& code_text) = 0;
};

// What an entry needs from the rest of the program. The shell fills it in at start; tests give
// their own.
struct Environment {
  std::string program_name = "Vornak.TQ";
  std::string program_version = "1.5.0.2k.lang";
  std::string short_version = "1.5.0";
  std::function<std::filesystem::path()> log_folder;  // the "ErrorLog" folder of the data root
  std::function<std::string()> interface_language;
  std::function<std::string()> diagnostic_dump;  // begins with a line break
  std::function<platform::SystemInfo()> system_info = platform::ReadSystemInfo;
  std::function<platform::LocalDateTime()> now = platform::Now;
  std::function<uint64_t()> tick_count = platform::TickCount;
};

inline constexpr size_t kLogLimit = 51'200;
inline constexpr std::string_view kSeparator = "=================================================";

class ErrorProcessor {
 public:
  ErrorProcessor() = default;

  void set_environment(Environment environment) { environment_ = std::move(environment); }
  const Environment& environment() const { return environment_; }
  void set_window(ErrorWindow* window) { window_ = window; }
  // Set when the program runs on an unsupported system: then nothing is ever logged.
  void set_disabled(bool disabled) { disabled_ = disabled; }
  void set_start_tick(uint64_t tick) { start_tick_ = tick; }
  // The main window builds a configuration report before each of its own reports (codes whose
  // unit is two digits); the entry carries the last report built.
  void set_report_builder(std::function<std::string()> builder) {
    report_builder_ = std::move(builder);
  }
  void set_configuration_report(std::string report) { configuration_report_ = std::move(report); }
  const std::string& configuration_report() const { return configuration_report_; }
  bool window_open() const { return window_open_; }
  // Details a failing routine adds for the maker (the counters add their state); kept for the
  // error window's report.
  void AppendExtraInformation(std::string_view text) { extra_information_ += text; }
  const std::string& extra_information() const { return extra_information_; }

  // Safe from any thread: one report at a time.
  void Report(const Failure& failure);
  // Reports logged since the program started (a run counts the reports of its stages).
  int report_count() const { return report_count_; }

  // The log entry for a failure, lines ended by CR LF.
  std::string BuildEntry(const Failure& failure) const;

  // Close-time clean-up: the scratch files a report may leave behind.
  void CleanUpTemporaryFiles(const std::filesystem::path& program_folder) const;

  std::filesystem::path LogPath() const;

 private:
  Environment environment_;
  ErrorWindow* window_ = nullptr;
  bool disabled_ = false;
  bool window_open_ = false;
  uint64_t start_tick_ = 0;
  std::function<std::string()> report_builder_;
  std::string configuration_report_;
  std::string extra_information_;
  std::recursive_mutex mutex_;
  std::atomic<int> report_count_ = 0;
};

// The new entry followed by as many whole lines of the old log as fit below the limit (each line
// counted with its line break).
std::string CombineLog(const std::string& entry, std::string_view old_log);

// The process's processor.
ErrorProcessor& Processor();

}  // namespace errors
