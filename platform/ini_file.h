// Initialisation files with the semantics of the Windows profile API, which the programs' settings,
// configurations and pack descriptions were designed against:
//  - section and key names are compared without ASCII case; the first matching section and the
//    first matching key in it win;
//  - values are trimmed, and one pair of surrounding double or single quotes is stripped on read;
//  - lines beginning with ';' are comments; every line that is neither a section, a key nor a
//    comment is kept untouched, so a rewrite changes only what was set;
//  - lines are written with CR LF.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniFile {
 public:
  IniFile() = default;
  static IniFile Parse(std::string_view bytes);
  // A missing or unreadable file gives an empty document.
  static IniFile Load(const std::filesystem::path& path);

  std::string Serialize() const;
  // Atomic rewrite (temporary file beside the target, then rename). Throws SystemError.
  void Save(const std::filesystem::path& path) const;

  bool HasSection(std::string_view section) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view default_value) const;
  // A value that is not a whole integer (decimal, or hexadecimal with "0x" or "$") gives the
  // default, as the class library's integer read does.
  int64_t GetInt(std::string_view section, std::string_view key, int64_t default_value) const;
  // Any integer other than 0 is true; a missing or non-integer value gives the default.
  bool GetBool(std::string_view section, std::string_view key, bool default_value) const;

  // Replaces the value of the first matching key, or appends the key to the end of the first
  // matching section, or appends a new section at the end of the file.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, int64_t value);
  void SetBool(std::string_view section, std::string_view key, bool value);  // "1" or "0"
  void DeleteKey(std::string_view section, std::string_view key);
  void DeleteSection(std::string_view section);
  void Clear() { lines_.clear(); }

  // Names as written in the file, in file order, each once (first spelling wins).
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  struct SectionRange {
    size_t header;  // index of the "[name]" line
    size_t end;     // one past the last line of the section
  };
  std::optional<SectionRange> FindSection(std::string_view section) const;
  std::optional<size_t> FindKeyLine(const SectionRange& range, std::string_view key) const;

  std::vector<std::string> lines_;
};

// Parses an integer the way the class library's whole-text conversion does: optional blanks and
// sign, decimal digits or "0x"/"$" hexadecimal, nothing else.
std::optional<int64_t> ParseIniInteger(std::string_view text);

}  // namespace platform
