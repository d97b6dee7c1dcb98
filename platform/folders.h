// The system folders the programs were designed to ask Windows for, on Linux: the temporary folder,
// the shell's special folders (values in the registry store first, then the XDG folders), and the
// runtime folder for lock files.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/registry_store.h"

namespace platform {

namespace fs = std::filesystem;

using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;
// The process environment.
std::optional<std::string> GetEnvironment(const std::string& name);

// The variable TEMP exactly, then TMP, then TMPDIR, then /tmp.
fs::path TempFolder(const EnvironmentLookup& env = GetEnvironment);

// A folder of this user's own under the temporary folder (created with mode 0700), for the
// program's scratch and marker files, so that no other user can plant or read them. When the
// expected folder is taken by something we do not own, a fresh unique folder is made instead.
fs::path PrivateTempFolder();

// The shell's special folders by their codes:
//   0 AppData, 2 Common Programs, 3 Common Desktop, 4 Desktop, 5 Programs, 6 Common AppData,
//   7 Local AppData, 8 ProgramFilesDir, 9 Personal (documents); any other code is the temporary
//   folder.
// A value of that name under the shell-folders key of the registry store (HKEY_CURRENT_USER or
// HKEY_LOCAL_MACHINE, as Windows keeps it) wins; otherwise the XDG folder that plays its part.
// Empty when there is no such folder.
fs::path SpecialFolder(int code, const RegistryData& registry,
                       const EnvironmentLookup& env = GetEnvironment);

inline constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

// Where lock files of named mutexes live: $XDG_RUNTIME_DIR/Ostrel, else a folder under the private
// temporary folder.
fs::path RuntimeFolder();

// The folder lies on a local disk (not a network share or a CD), as a folder of the game must.
bool IsOnLocalDisk(const fs::path& folder);

// The path of the running executable.
fs::path ExecutablePath();

}  // namespace platform
