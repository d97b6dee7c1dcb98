// Line files: the pack description, the about text, the scripts, the version lists, the
// installer's language files and the lists it keeps in the program folder.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace installer {

namespace fs = std::filesystem;

// A line whose first two characters are "//" or two backslashes. Only the pack description, the
// about text and the language files have comments; scripts and lists take every line.
bool IsCommentLine(std::string_view line);

// Thrown when a file exists but cannot be read: its step fails instead of acting on no lines.
class ReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file's lines (CR LF or LF), or nullopt when there is no such file. Throws ReadError.
std::optional<std::vector<std::string>> ReadLines(const fs::path& path);

bool Contains(const std::vector<std::string>& lines, std::string_view line);

}  // namespace installer
