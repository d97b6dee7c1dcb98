#include "platform/ini_file.h"

#include <charconv>

#include "platform/file_io.h"
#include "platform/text.h"

namespace platform {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const size_t begin = text.find_first_not_of(kBlanks);
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

// The name of a section header line, or nullopt when the line is not one.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return TrimBlanks(line.substr(1));
  return TrimBlanks(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return std::nullopt;
  const size_t eq = trimmed.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{TrimBlanks(trimmed.substr(0, eq)), TrimBlanks(trimmed.substr(eq + 1))};
}

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string MakeKeyLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  return line;
}

}  // namespace

std::optional<int64_t> ParseIniInteger(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.size() > 1 && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  uint64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (magnitude > static_cast<uint64_t>(INT64_MAX) + (negative ? 1 : 0)) return std::nullopt;
  return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

IniFile IniFile::Parse(std::string_view bytes) {
  IniFile ini;
  ini.lines_ = SplitLines(bytes);
  return ini;
}

IniFile IniFile::Load(const std::filesystem::path& path) {
  const auto bytes = ReadFileBytes(path);
  return bytes ? Parse(*bytes) : IniFile();
}

std::string IniFile::Serialize() const { return JoinLinesCrLf(lines_); }

void IniFile::Save(const std::filesystem::path& path) const { WriteFileAtomic(path, Serialize()); }

std::optional<IniFile::SectionRange> IniFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (!name || !EqualsNoCase(*name, section)) continue;
    size_t end = i + 1;
    while (end < lines_.size() && !SectionName(lines_[end])) ++end;
    return SectionRange{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> IniFile::FindKeyLine(const SectionRange& range, std::string_view key) const {
  for (size_t i = range.header + 1; i < range.end; ++i) {
    const auto parsed = ParseKeyLine(lines_[i]);
    if (parsed && EqualsNoCase(parsed->key, key)) return i;
  }
  return std::nullopt;
}

bool IniFile::HasSection(std::string_view section) const {
  return FindSection(section).has_value();
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  return Get(section, key).has_value();
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const auto range = FindSection(section);
  if (!range) return std::nullopt;
  const auto line = FindKeyLine(*range, key);
  if (!line) return std::nullopt;
  return std::string(StripQuotes(ParseKeyLine(lines_[*line])->value));
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view default_value) const {
  auto value = Get(section, key);
  return value ? std::move(*value) : std::string(default_value);
}

int64_t IniFile::GetInt(std::string_view section, std::string_view key,
                        int64_t default_value) const {
  const auto value = Get(section, key);
  if (!value) return default_value;
  return ParseIniInteger(*value).value_or(default_value);
}

bool IniFile::GetBool(std::string_view section, std::string_view key, bool default_value) const {
  return GetInt(section, key, default_value ? 1 : 0) != 0;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  const auto range = FindSection(section);
  if (!range) {
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(MakeKeyLine(key, value));
    return;
  }
  if (const auto line = FindKeyLine(*range, key)) {
    // Keep the key's spelling as the file has it.
    lines_[*line] = MakeKeyLine(ParseKeyLine(lines_[*line])->key, value);
    return;
  }
  // After the last non-blank line of the section, so a blank line before the next section stays
  // where it is.
  size_t insert_at = range->end;
  while (insert_at > range->header + 1 && TrimBlanks(lines_[insert_at - 1]).empty()) --insert_at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), MakeKeyLine(key, value));
}

void IniFile::SetInt(std::string_view section, std::string_view key, int64_t value) {
  Set(section, key, std::to_string(value));
}

void IniFile::SetBool(std::string_view section, std::string_view key, bool value) {
  Set(section, key, value ? "1" : "0");
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  const auto range = FindSection(section);
  if (!range) return;
  if (const auto line = FindKeyLine(*range, key)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
  }
}

void IniFile::DeleteSection(std::string_view section) {
  const auto range = FindSection(section);
  if (!range) return;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
               lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
}

std::vector<std::string> IniFile::Sections() const {
  std::vector<std::string> names;
  for (const auto& line : lines_) {
    const auto name = SectionName(line);
    if (!name) continue;
    bool seen = false;
    for (const auto& known : names) seen = seen || EqualsNoCase(known, *name);
    if (!seen) names.emplace_back(*name);
  }
  return names;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  const auto range = FindSection(section);
  if (!range) return keys;
  for (size_t i = range->header + 1; i < range->end; ++i) {
    const auto parsed = ParseKeyLine(lines_[i]);
    if (!parsed) continue;
    bool seen = false;
    for (const auto& known : keys) seen = seen || EqualsNoCase(known, parsed->key);
    if (!seen) keys.emplace_back(parsed->key);
  }
  return keys;
}

}  // namespace platform
