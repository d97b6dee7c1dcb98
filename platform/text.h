// Text helpers. Every text inside the programs is a byte string in the ANSI code page (1251);
// conversion to UTF-8 happens only where text meets the user interface or a file name on disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// cp1251 bytes to UTF-8. Every byte maps to one code point, so the conversion never fails.
std::string Cp1251ToUtf8(std::string_view ansi);

// UTF-8 to cp1251. A code point the code page lacks, or a malformed sequence, becomes '?'.
std::string Utf8ToCp1251(std::string_view utf8);

// A text written in the source (UTF-8) as the program's ANSI text: Ansi("Предупреждение...").
inline std::string Ansi(std::string_view utf8) { return Utf8ToCp1251(utf8); }

// Formats "%s" with the next text and "%d" with the next number, as the messages of the programs
// are built; "%%" is a percent sign. Missing arguments leave the directive out.
std::string FormatMessage(std::string_view format, const std::vector<std::string>& texts);

// Case folding of the ASCII letters A to Z only; every other byte, Cyrillic included, is left as
// it is. This is the comparison the game files and the configuration keys are matched with.
constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
// Position of the first occurrence of `needle` at or after `from`, or npos. An empty needle never
// matches.
size_t FindNoCase(std::string_view haystack, std::string_view needle, size_t from = 0);

// Ordering without ASCII case, then by bytes, so that sorted listings are the same everywhere.
bool LessNoCase(std::string_view a, std::string_view b);

// Strips blanks, tabs, CR and LF at both ends.
std::string_view Trim(std::string_view text);

// Splits text into lines at LF, dropping one CR before each LF. A final line break does not add an
// empty last line.
std::vector<std::string> SplitLines(std::string_view text);

// Joins lines with CR LF after every line (the line files of the programs end in a line break).
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// Strict decimal integer parsing: optional sign, digits, nothing else (surrounding blanks allowed).
std::optional<int64_t> ParseInt64(std::string_view text);

}  // namespace platform
