#include "shell/check_due.h"

#include <string>

#include "errors/abort.h"
#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace shell {
namespace {

// h: the hours part of 23:59:00 minus the time of the last check.
int HoursLeftInDay(const platform::LocalDateTime& last) {
  const int seconds_left =
      (23 * 3600 + 59 * 60) - (last.hour * 3600 + last.minute * 60 + last.second);
  return seconds_left > 0 ? seconds_left / 3600 : 0;
}

// Due once the current hour has reached the hour of the last check.
bool HourRuleHolds(int hours_left, const platform::LocalDateTime& now) {
  return now.hour + hours_left + 1 > 23;
}

}  // namespace

int CheckIntervalDays(int interval_index) {
  constexpr int kDays[] = {1, 3, 5, 10, 15, 20, 30};
  return interval_index >= 0 && interval_index < 7 ? kDays[interval_index] : 5;
}

bool IsCheckDue(const std::filesystem::path& settings_folder, std::string_view check_name,
                int interval_index, const platform::LocalDateTime& now) {
  // The location code of a failure names the last step reached.
  std::string step = "000";
  try {
    const std::filesystem::path file =
        settings_folder / (std::string(check_name) + "_LastCheck.ini");
    step = "010";
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes) return true;
    step = "011";
    const auto lines = platform::SplitLines(*bytes);
    step = "020";
    const auto date = lines.empty() ? std::nullopt : platform::ParseShortDate(lines[0]);
    if (!date) {
      platform::RemoveFileQuietly(file);
      return false;
    }
    step = "030";
    const int64_t days = platform::DaysBetween(*date, now);
    const int interval = CheckIntervalDays(interval_index);
    const auto time = lines.size() > 1 ? platform::ParseTime(lines[1]) : std::nullopt;
    // A second line that is not a time counts as h = 0 where the rule allows it.
    const int hours_left = time ? HoursLeftInDay(*time) : 0;
    if (days <= 0) return false;
    if (days >= 31) return true;
    if (days >= 2) {
      step = "050";
      if (days > interval) return true;
      if (days < interval) return false;
      return HourRuleHolds(hours_left, now);
    }
    step = "060";
    if (interval != 1) return false;
    if (!time) throw errors::Abort("the time of the last check is not a time");
    step = "070";
    return HourRuleHolds(hours_left, now);
  } catch (...) {
    errors::ReportCurrentException("UP.009-01." + step, errno);
    return false;
  }
}

bool IsCheckDue(const std::filesystem::path& settings_folder, std::string_view check_name,
                int interval_index) {
  return IsCheckDue(settings_folder, check_name, interval_index, platform::Now());
}

}  // namespace shell
