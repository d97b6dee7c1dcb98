// The shell shortcut of Windows as a freedesktop launcher (a ".desktop" file).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

struct DesktopShortcut {
  std::filesystem::path program;         // what the launcher starts
  std::vector<std::string> arguments;    // UTF-8
  std::string name;                      // UTF-8; the launcher's title
  std::string description;               // UTF-8
  std::filesystem::path working_folder;  // empty: the program's folder
  std::filesystem::path icon;            // empty: none
};

// The launcher's text.
std::string DesktopEntryText(const DesktopShortcut& shortcut);

// Writes the launcher atomically and makes it executable (desktops only start trusted,
// executable launchers). Throws SystemError.
void WriteDesktopShortcut(const std::filesystem::path& file, const DesktopShortcut& shortcut);

}  // namespace platform
