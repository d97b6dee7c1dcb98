// Ticks, dates and the duration text used in logs and check files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Milliseconds of a monotonic clock (since the system started), like the Windows tick count.
uint64_t TickCount();

struct LocalDateTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

LocalDateTime Now();

// The programs' short date, "dd.mm.yyyy", as settings files and check files hold it.
std::string FormatShortDate(const LocalDateTime& when);
std::optional<LocalDateTime> ParseShortDate(std::string_view text);
// "hh:nn:ss".
std::string FormatTime(const LocalDateTime& when);
// "hh:nn" or "hh:nn:ss"; the date fields of the result are zero.
std::optional<LocalDateTime> ParseTime(std::string_view text);

// Whole days from `from` to `to` by calendar date (negative when `to` is earlier).
int64_t DaysBetween(const LocalDateTime& from, const LocalDateTime& to);

// Days and clock time of a duration: "2 days, 03:15:09", or "03:15:09" below one day.
std::string DurationText(uint64_t milliseconds);

}  // namespace platform
