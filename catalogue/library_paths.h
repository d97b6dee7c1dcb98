// How the catalogue reaches files of the model library: every name is taken as an ANSI relative
// path, kept inside its folder and resolved without ASCII case, so that folders written on Windows
// in any letter case, and Cyrillic names, are found.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

namespace fs = std::filesystem;

// `folder` / `ansi_relative` resolved on disk; empty when the folder is empty (no data folder) or
// the relative text would leave the folder.
fs::path LibraryPath(const fs::path& folder, std::string_view ansi_relative);

bool HasFile(const fs::path& folder, std::string_view ansi_relative);
bool HasFolder(const fs::path& folder, std::string_view ansi_relative);

// A single entry name: not empty, no separator, no drive colon, not "." or "..".
bool IsSingleName(std::string_view ansi_name);

// The names of the sub-folders of `folder`, as ANSI, sorted without ASCII case. A name that has no
// ANSI spelling, or that is no single name in a Windows path, cannot be stored in a configuration
// or named in a data file, so it is left out.
std::vector<std::string> SubfolderNames(const fs::path& folder);

// A file-system name (UTF-8) as ANSI text.
std::string AnsiName(const fs::path& name);

}  // namespace catalogue
