#include "shell/usage_counters.h"

#include <cstdio>

#include "errors/error_processor.h"
#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/system_error.h"
#include "platform/text.h"

namespace shell {
namespace {

constexpr std::string_view kAddHeader = "THIS IS SYSTEM FILE, DO NOT EDIT AND DO NOT DELETE IT!";
constexpr std::string_view kFoldHeader = "THIS IS A SYSTEM FILE, DO NOT EDIT AND DO NOT DELETE IT!";

// The second line, or "0" when the file cannot be read.
std::string SecondLine(const std::filesystem::path& file) {
  const auto bytes = platform::ReadFileBytes(file);
  if (!bytes) return "0";
  const auto lines = platform::SplitLines(*bytes);
  return lines.size() > 1 ? lines[1] : std::string();
}

void WriteCounterFile(const std::filesystem::path& file, std::string_view header, int64_t value) {
  platform::WriteFileAtomic(file, std::string(header) + "\r\n" + std::to_string(value) + "\r\n");
}

}  // namespace

std::optional<int64_t> ReadCounter(const std::filesystem::path& file) {
  if (!platform::IsFile(file)) return std::nullopt;
  return platform::ParseInt64(SecondLine(file));
}

int64_t UpdateCounter(const std::filesystem::path& counters_folder, std::string_view name,
                      std::string_view text, int64_t amount, CounterMode mode, bool flag) {
  const std::filesystem::path file = counters_folder / (std::string(name) + ".ini");
  const std::filesystem::path record = counters_folder / "TmpCnt.ini";
  std::string buffer(text);
  int step = 1;
  try {
    if (mode == CounterMode::kAdd) {
      std::filesystem::create_directories(counters_folder);
      step = 2;
      if (platform::IsFile(file)) {
        buffer = SecondLine(file);
        if (const auto stored = platform::ParseInt64(buffer)) amount += *stored;
      }
      step = 3;
      WriteCounterFile(file, kAddHeader, amount);
      step = 4;
      if (flag && platform::IsFile(record) && !std::filesystem::remove(record)) {
        throw platform::SystemError("cannot delete " + record.string());
      }
      return amount;
    }
    step = 11;
    if (!platform::IsFile(record)) return amount;
    step = 12;
    buffer = SecondLine(record);
    if (const auto recorded = platform::ParseInt64(buffer)) amount = *recorded;
    std::filesystem::remove(record);
    step = 13;
    if (platform::IsFile(file)) {
      buffer = SecondLine(file);
      if (const auto stored = platform::ParseInt64(buffer)) amount += *stored;
    }
    step = 14;
    WriteCounterFile(file, kFoldHeader, amount);
    return amount;
  } catch (...) {
    const int saved = errno;
    char code[16];
    std::snprintf(code, sizeof code, "URG.002-%02d", step);
    errors::Processor().AppendExtraInformation("\r\n" + std::string(name) + "\r\n" + buffer +
                                               "\r\n" + std::to_string(amount) + "\r\n" +
                                               std::to_string(static_cast<int>(mode)));
    errors::ReportCurrentException(code, saved);
    return amount;
  }
}

void WriteWorkTimeRecord(const std::filesystem::path& counters_folder, uint64_t elapsed_ms) {
  errors::Guarded("URG.002-16", [&] {
    WriteCounterFile(counters_folder / "TmpCnt.ini", kAddHeader, static_cast<int64_t>(elapsed_ms));
  });
}

}  // namespace shell
