// The desktop shortcut of a program (a freedesktop launcher on Linux).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace shell {

// Writes a launcher that starts `program` with `arguments` in the program's folder, with the
// description and icon given (texts in ANSI). False (and a report) on failure.
bool CreateShortcut(const std::filesystem::path& program,
                    const std::filesystem::path& shortcut_file, const std::string& description,
                    const std::filesystem::path& icon, const std::vector<std::string>& arguments);

}  // namespace shell
