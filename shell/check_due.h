// Whether a periodic check (new version, new components) is due. The check itself writes the
// file <settings folder><check name>_LastCheck.ini: the date of the last check on line 1, its
// time on line 2.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/clock.h"

namespace shell {

// Days between checks for the interval index of the settings: 0 → 1, 1 → 3, 2 → 5, 3 → 10,
// 4 → 15, 5 → 20, 6 → 30, any other → 5.
int CheckIntervalDays(int interval_index);

bool IsCheckDue(const std::filesystem::path& settings_folder, std::string_view check_name,
                int interval_index, const platform::LocalDateTime& now);
bool IsCheckDue(const std::filesystem::path& settings_folder, std::string_view check_name,
                int interval_index);

}  // namespace shell
