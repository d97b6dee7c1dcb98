#include "tests/xmlengine/reference_model.h"

#include <algorithm>
#include <cstddef>

namespace xmlengine::testing {

std::vector<std::string> SplitLikeText(std::string_view text) {
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t j = i;
    while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
    lines.emplace_back(text.substr(i, j - i));
    if (j < text.size())
      j += (text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ? 2 : 1;
    i = j;
  }
  return lines;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return out;
}

bool ContainsLowered(std::string_view line, std::string_view text) {
  if (text.empty()) return false;
  return LowerAscii(line).find(LowerAscii(text)) != std::string::npos;
}

void ReferenceModel::BuildKeyIndex(std::string_view tag) {
  index.clear();
  for (size_t n = 0; n < document.size(); ++n) {
    if (ContainsLowered(document[n], tag)) index.push_back(static_cast<int64_t>(n));
  }
}

size_t ReferenceModel::ReplaceInRecords(bool first_only, std::string_view search,
                                        std::string_view replacement, std::string_view condition,
                                        int64_t offset) {
  std::vector<std::string> pattern = SplitLikeText(search);
  const bool delete_fully = search == "[DELETE_FULLY]";
  enum { kSingle, kBlock, kContext } mode = kSingle;
  if (pattern.size() > 1) {
    if (pattern[0] == "[MULTIMODE]") {
      mode = kBlock;
      pattern.erase(pattern.begin());
    } else {
      mode = kContext;
    }
  }
  const std::string key = LowerAscii(record_key);
  size_t result = 0;
  const size_t entries = index.size();
  for (size_t p = 0; p < entries; ++p) {
    const int64_t s = index[p];
    const auto count = static_cast<int64_t>(document.size());
    if (s < 0 || s >= count || !ContainsLowered(document[static_cast<size_t>(s)], key)) continue;
    const int64_t next = p + 1 < entries ? index[p + 1] : -1;
    if (delete_fully) {
      const int64_t first = std::max<int64_t>(s - 1, 0);
      const int64_t last = std::min<int64_t>(p + 1 < entries ? next - 2 : count - 3, count - 1);
      for (int64_t n = first; n <= last; ++n) document[static_cast<size_t>(n)].clear();
    } else if (!pattern.empty()) {
      const int64_t last = std::min<int64_t>(p + 1 < entries ? next - 1 : count - 2, count - 1);
      const auto m = static_cast<int64_t>(pattern.size());
      for (int64_t j = s; j + m - 1 <= last; ++j) {
        bool match = true;
        for (int64_t k = 0; k < m && match; ++k) {
          match = ContainsLowered(document[static_cast<size_t>(j + k)],
                                  pattern[static_cast<size_t>(k)]);
        }
        if (match && mode == kSingle && !condition.empty()) {
          match = ContainsLowered(document[static_cast<size_t>(j)], condition);
        }
        if (!match) continue;
        std::vector<std::string> lines = document;
        if (mode == kBlock) {
          lines.erase(lines.begin() + j + 1, lines.begin() + j + m);
          lines[static_cast<size_t>(j)] = std::string(replacement);
        } else if (mode == kContext) {
          lines[static_cast<size_t>(j + m - 1)] = std::string(replacement);
        } else {
          lines[static_cast<size_t>(j)] = std::string(replacement);
        }
        // The whole document is joined and split again.
        std::string text;
        for (const auto& line : lines) text += line + "\r\n";
        document = SplitLikeText(text);
        const auto delta = static_cast<int64_t>(document.size()) - count;
        if (delta != 0) ShiftKeyIndex(delta, static_cast<int64_t>(p) - offset);
        result = static_cast<size_t>(j);
        break;
      }
    }
    if (first_only) break;
  }
  return result;
}

void ReferenceModel::ShiftKeyIndex(int64_t delta, int64_t position) {
  for (size_t i = 0; i < index.size(); ++i) {
    if (static_cast<int64_t>(i) > position) index[i] += delta;
  }
}

void ReferenceModel::InsertKeyIndex(int64_t line) {
  for (size_t i = 0; i < index.size(); ++i) {
    if (index[i] > line) {
      index.insert(index.begin() + static_cast<std::ptrdiff_t>(i), line);
      return;
    }
  }
}

bool ReferenceModel::AnyKeyLineContains(std::string_view text) const {
  for (int64_t s : index) {
    if (s >= 0 && s < static_cast<int64_t>(document.size()) &&
        ContainsLowered(document[static_cast<size_t>(s)], text)) {
      return true;
    }
  }
  return false;
}

void ReferenceModel::RemoveBlankLines() {
  std::erase_if(document, [](const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
  });
}

void ReferenceModel::SetLine(size_t n, std::string_view text) {
  document[n] = std::string(text);
  std::string joined;
  for (const auto& line : document) joined += line + "\r\n";
  document = SplitLikeText(joined);
}

}  // namespace xmlengine::testing
