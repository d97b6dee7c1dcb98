// A literal transcription of the designed record operations on plain lists, written for clarity
// and not speed: the document is a vector of strings that is joined and split again after every
// replacement, exactly as they were designed, with the safety limits we added (ranges clamped
// to the document). The randomized tests compare the engine against it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xmlengine::testing {

struct ReferenceModel {
  std::vector<std::string> document;
  std::vector<int64_t> index;
  std::string record_key;

  void BuildKeyIndex(std::string_view tag);
  size_t ReplaceInRecords(bool first_only, std::string_view search, std::string_view replacement,
                          std::string_view condition, int64_t offset);
  void ShiftKeyIndex(int64_t delta, int64_t position);
  void InsertKeyIndex(int64_t line);
  bool AnyKeyLineContains(std::string_view text) const;
  void RemoveBlankLines();
  void SetLine(size_t n, std::string_view text);  // re-split like every replacement
};

// Delphi's TStrings.Text assignment: lines end at CR LF, LF or CR; a final line end adds no line.
std::vector<std::string> SplitLikeText(std::string_view text);
std::string LowerAscii(std::string_view text);
bool ContainsLowered(std::string_view line, std::string_view text);  // Pos(lower, lower) > 0

}  // namespace xmlengine::testing
