// The shared procedures that ask the system: the operating-system check, the special folders and
// the file version text.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/system_info.h"

namespace shell {

// True when the running system is at least the one the marker names: "vista" 6.0, "xp" 5.1,
// "2k" 5.0, "98" 4.10; any other marker 0.0.
bool CheckSystem(std::string_view marker, const platform::OsVersion& system);
bool CheckSystem(std::string_view marker);  // against the running system

// A special folder by code (see platform/folders.h), empty when unknown.
std::filesystem::path SpecialFolderPath(int code);

// The file version text of an executable, empty when none.
std::string FileVersion(const std::filesystem::path& file);

}  // namespace shell
