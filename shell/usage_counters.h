// The usage counters: launches (LCounter) and work time in milliseconds (TNCounter). A record
// TmpCnt, kept up by a timer during the run, lets the next start count the work time of a run that
// did not close normally.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

enum class CounterMode {
  kAdd,   // counter += amount; with the flag, the TmpCnt record is deleted afterwards
  kFold,  // a TmpCnt record left behind is added to the counter and deleted
};

// Each counter file holds two lines: a warning header and the value in decimal. `text` is the
// caller's text ("1" or "0"), used in the failure details. Returns the counter's new value (or the
// amount when nothing was written). Counters never stop the program: failures are reported.
int64_t UpdateCounter(const std::filesystem::path& counters_folder, std::string_view name,
                      std::string_view text, int64_t amount, CounterMode mode, bool flag);

// What the work-time timer writes: the milliseconds this run has worked so far. A start-up fold
// then counts an interrupted run once.
void WriteWorkTimeRecord(const std::filesystem::path& counters_folder, uint64_t elapsed_ms);

// The second line of a counter file as a number, or nullopt.
std::optional<int64_t> ReadCounter(const std::filesystem::path& file);

}  // namespace shell
