#include "platform/clock.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "platform/text.h"

namespace platform {
namespace {

bool ValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const std::chrono::year_month_day date{std::chrono::year(year),
                                         std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  return date.ok();
}

// Splits "a<sep>b<sep>c" into numbers; nullopt when a part is not a plain number.
template <size_t kParts>
std::optional<std::array<int, kParts>> Numbers(std::string_view text, char separator,
                                               size_t min_parts) {
  std::array<int, kParts> parts{};
  size_t count = 0;
  text = Trim(text);
  size_t start = 0;
  while (true) {
    if (count == kParts) return std::nullopt;
    const size_t end = std::min(text.find(separator, start), text.size());
    const std::string_view part = text.substr(start, end - start);
    if (part.empty() || part.size() > 4) return std::nullopt;
    for (char c : part) {
      if (c < '0' || c > '9') return std::nullopt;
    }
    parts[count++] = static_cast<int>(*ParseInt64(part));
    if (end == text.size()) break;
    start = end + 1;
  }
  if (count < min_parts) return std::nullopt;
  return parts;
}

}  // namespace

uint64_t TickCount() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000 + static_cast<uint64_t>(ts.tv_nsec) / 1000000;
}

LocalDateTime Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string FormatShortDate(const LocalDateTime& when) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", when.day, when.month, when.year);
  return text;
}

std::optional<LocalDateTime> ParseShortDate(std::string_view text) {
  const auto parts = Numbers<3>(text, '.', 3);
  if (!parts || !ValidDate((*parts)[2], (*parts)[1], (*parts)[0])) return std::nullopt;
  LocalDateTime date;
  date.day = (*parts)[0];
  date.month = (*parts)[1];
  date.year = (*parts)[2];
  return date;
}

std::string FormatTime(const LocalDateTime& when) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", when.hour, when.minute, when.second);
  return text;
}

std::optional<LocalDateTime> ParseTime(std::string_view text) {
  const auto parts = Numbers<3>(text, ':', 2);
  if (!parts || (*parts)[0] > 23 || (*parts)[1] > 59 || (*parts)[2] > 59) return std::nullopt;
  LocalDateTime time;
  time.hour = (*parts)[0];
  time.minute = (*parts)[1];
  time.second = (*parts)[2];
  return time;
}

int64_t DaysBetween(const LocalDateTime& from, const LocalDateTime& to) {
  using namespace std::chrono;
  const auto day_number = [](const LocalDateTime& d) {
    return sys_days(year_month_day{year(d.year), month(static_cast<unsigned>(d.month)),
                                   day(static_cast<unsigned>(d.day))});
  };
  return (day_number(to) - day_number(from)).count();
}

std::string DurationText(uint64_t milliseconds) {
  constexpr uint64_t kDay = 86'400'000;
  const uint64_t days = milliseconds / kDay;
  const uint64_t rest = (milliseconds % kDay) / 1000;
  char clock[32];
  std::snprintf(
      clock, sizeof clock, "%02llu:%02llu:%02llu", static_cast<unsigned long long>(rest / 3600),
      static_cast<unsigned long long>(rest / 60 % 60), static_cast<unsigned long long>(rest % 60));
  return days > 0 ? std::to_string(days) + " days, " + clock : std::string(clock);
}

}  // namespace platform
