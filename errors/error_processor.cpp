#include "errors/error_processor.h"

#include <cerrno>
#include <cstdio>

#include "platform/dialogs.h"
#include "platform/file_io.h"
#include "platform/folders.h"
#include "platform/text.h"

namespace errors {
namespace {

// The address of the run time's dispatcher is only of use to the maker; a fixed number stands for
// it.
constexpr uintptr_t kDispatcherAddress = 4'198'400;

std::string OrNotAvailable(std::string text, size_t limit) {
  if (text.empty()) return "n/a";
  if (text.size() > limit) text.resize(limit);
  return text;
}

bool IsMainWindowUnit(std::string_view code) {
  return code.size() >= 3 && code[0] >= '0' && code[0] <= '9' && code[1] >= '0' && code[1] <= '9' &&
         code[2] == '.';
}

}  // namespace

ErrorProcessor& Processor() {
  static ErrorProcessor processor;
  return processor;
}

std::filesystem::path ErrorProcessor::LogPath() const {
  if (!environment_.log_folder) return {};
  return environment_.log_folder() / "Error.Log";
}

std::string ErrorProcessor::BuildEntry(const Failure& failure) const {
  const Environment& env = environment_;
  const platform::SystemInfo info = env.system_info ? env.system_info() : platform::SystemInfo{};
  const platform::LocalDateTime now = env.now ? env.now() : platform::LocalDateTime{};
  const uint64_t tick = env.tick_count ? env.tick_count() : 0;
  const std::string language = env.interface_language ? env.interface_language() : std::string();

  char date[64];
  std::snprintf(date, sizeof date, "%02d/%02d/%04d [%02d:%02d:%02d]", now.day, now.month, now.year,
                now.hour, now.minute, now.second);
  char version[64];
  std::snprintf(version, sizeof version, "%d.%d.%d", info.os.major, info.os.minor, info.os.build);
  const std::string indent = "\r\n          ";

  std::string entry;
  const auto line = [&entry](std::string_view text) {
    entry += text;
    entry += "\r\n";
  };
  line(kSeparator);
  line(date);
  line("Program = " + env.program_name + " " + env.program_version + " [" + language + "]");
  line(std::string("WinVersion = ") + version);
  line("User = " + OrNotAvailable(platform::Utf8ToCp1251(info.user), 254));
  line("PC = " + OrNotAvailable(platform::Utf8ToCp1251(info.computer), 16));
  line("PC SysInfo:" + indent + "ProcessorType: " + std::to_string(info.processor_type) + indent +
       "ProcessorLevel: " + std::to_string(info.processor_level) + indent +
       "MemoryLoad = " + std::to_string(info.memory_load) + "%" + indent +
       "TotalPhys = " + std::to_string(info.total_physical_kb) + " KB" + indent +
       "AvailPhys = " + std::to_string(info.available_physical_kb) + " KB" + "\r\n" +
       "OS worked = " + platform::DurationText(info.uptime_ms));
  line("Program worked = " + platform::DurationText(tick >= start_tick_ ? tick - start_tick_ : 0));
  line("Adress = " + failure.code + "." + std::to_string(failure.error_number) + " [" +
       failure.error_class + "]");
  line("Add info = " + std::to_string(failure.address) + " / " +
       std::to_string(kDispatcherAddress));
  if (!configuration_report_.empty()) {
    line(kSeparator);
    line("Dump = \"" + configuration_report_ + "\"");
  }
  line(std::string(kSeparator) + (env.diagnostic_dump ? env.diagnostic_dump() : std::string()));
  return entry;
}

std::string CombineLog(const std::string& entry, std::string_view old_log) {
  std::string log = entry;
  size_t total = 0;
  for (const auto& old_line : platform::SplitLines(old_log)) {
    total += old_line.size() + 2;
    if (total >= kLogLimit) break;
    log += old_line;
    log += "\r\n";
  }
  return log;
}

void ErrorProcessor::Report(const Failure& failure) {
  std::lock_guard lock(mutex_);
  if (disabled_ || window_open_) return;
  ++report_count_;
  // The configuration report is built before anything else, so the entry describes the settings
  // at the moment of the failure; a failure inside the builder must not stop the report.
  if (report_builder_ && IsMainWindowUnit(failure.code)) {
    try {
      configuration_report_ = report_builder_();
    } catch (...) {
    }
  }
  // The processor has no guard of its own: a log that cannot be written ends the report quietly.
  try {
    const std::filesystem::path log_path = LogPath();
    if (!log_path.empty()) {
      std::filesystem::create_directories(log_path.parent_path());
      const std::string old_log = platform::ReadFileBytes(log_path).value_or(std::string());
      // Written beside the log and renamed over it, so the old log survives any failure.
      platform::WriteFileAtomic(log_path, CombineLog(BuildEntry(failure), old_log));
    }
  } catch (...) {
  }
  if (!window_) return;
  window_open_ = true;
  {
    platform::ModalWindowScope modal;
    try {
      window_->Show(" " + environment_.short_version + "-" + failure.code + "." +
                    std::to_string(failure.error_number));
    } catch (...) {
    }
  }
  window_open_ = false;
}

void ErrorProcessor::CleanUpTemporaryFiles(const std::filesystem::path& program_folder) const {
  platform::RemoveFileQuietly(
      platform::PrivateTempFolder() /
      (environment_.program_name + " " + environment_.short_version + " Error.tmp"));
  platform::RemoveFileQuietly(program_folder / "Resource" / "test.ini");
}

}  // namespace errors
