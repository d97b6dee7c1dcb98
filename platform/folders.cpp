#include "platform/folders.h"

#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/paths.h"
#include "platform/text.h"

namespace platform {
namespace {

fs::path Home(const EnvironmentLookup& env) {
  if (auto home = env("HOME"); home && !home->empty()) return *home;
  return "/tmp";
}

fs::path XdgOr(const EnvironmentLookup& env, const std::string& variable,
               const fs::path& fallback_below_home) {
  if (auto value = env(variable); value && !value->empty() && fs::path(*value).is_absolute()) {
    return *value;
  }
  return Home(env) / fallback_below_home;
}

// A folder named in ~/.config/user-dirs.dirs (XDG_DESKTOP_DIR="$HOME/Desktop"), else the default.
fs::path UserDir(const EnvironmentLookup& env, const std::string& name, const fs::path& fallback) {
  if (auto direct = env(name); direct && !direct->empty()) return *direct;
  std::ifstream in(XdgOr(env, "XDG_CONFIG_HOME", ".config") / "user-dirs.dirs");
  std::string line;
  while (std::getline(in, line)) {
    const std::string_view text = Trim(line);
    if (!text.starts_with(name + "=")) continue;
    std::string value(Trim(text.substr(name.size() + 1)));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    if (value.starts_with("$HOME")) return Home(env).string() + value.substr(5);
    if (fs::path(value).is_absolute()) return value;
  }
  return Home(env) / fallback;
}

// Ensures `folder` is a real folder owned by this user with mode 0700.
bool IsPrivateFolder(const fs::path& folder) {
  struct stat st {};
  if (lstat(folder.c_str(), &st) != 0) {
    if (mkdir(folder.c_str(), 0700) != 0) return false;
    if (lstat(folder.c_str(), &st) != 0) return false;
  }
  return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

}  // namespace

std::optional<std::string> GetEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

fs::path TempFolder(const EnvironmentLookup& env) {
  for (const char* name : {"TEMP", "TMP", "TMPDIR"}) {
    if (auto value = env(name); value && !value->empty()) return *value;
  }
  return "/tmp";
}

fs::path PrivateTempFolder() {
  const fs::path base = TempFolder();
  std::error_code ec;
  fs::create_directories(base, ec);
  const fs::path folder = base / ("Ostrel-" + std::to_string(geteuid()));
  if (IsPrivateFolder(folder)) return folder;
  // Someone else's folder (or a link) sits under our name: take a fresh one for this run.
  static const fs::path fresh = [&] {
    std::string pattern = (base / "Ostrel-XXXXXX").string();
    return mkdtemp(pattern.data()) ? fs::path(pattern) : base;
  }();
  return fresh;
}

fs::path SpecialFolder(int code, const RegistryData& registry, const EnvironmentLookup& env) {
  struct Entry {
    int code;
    const char* value_name;
    std::string_view root;
  };
  static constexpr Entry kEntries[] = {
      {0, "AppData", kHkeyCurrentUser},         {2, "Common Programs", kHkeyLocalMachine},
      {3, "Common Desktop", kHkeyLocalMachine}, {4, "Desktop", kHkeyCurrentUser},
      {5, "Programs", kHkeyCurrentUser},        {6, "Common AppData", kHkeyLocalMachine},
      {7, "Local AppData", kHkeyCurrentUser},   {8, "ProgramFilesDir", kHkeyLocalMachine},
      {9, "Personal", kHkeyCurrentUser},
  };
  const Entry* entry = nullptr;
  for (const auto& e : kEntries) {
    if (e.code == code) entry = &e;
  }
  if (!entry) return TempFolder(env);

  const std::string key =
      RegistryKey(entry->root, code == 8 ? kCurrentVersionKey : kShellFoldersKey);
  if (const auto stored = registry.ReadString(key, entry->value_name); stored && !stored->empty()) {
    return PathFromAnsi(*stored);
  }
  switch (code) {
    case 0:
      return XdgOr(env, "XDG_DATA_HOME", ".local/share");
    case 2:
      return "/usr/share/applications";
    case 3:
      return {};
    case 4:
      return UserDir(env, "XDG_DESKTOP_DIR", "Desktop");
    case 5:
      return XdgOr(env, "XDG_DATA_HOME", ".local/share") / "applications";
    case 6:
      return "/var/lib";
    case 7:
      return XdgOr(env, "XDG_STATE_HOME", ".local/state");
    case 8:
      return "/opt";
    case 9:
      return UserDir(env, "XDG_DOCUMENTS_DIR", "Documents");
  }
  return {};
}

fs::path RuntimeFolder() {
  if (const auto runtime = GetEnvironment("XDG_RUNTIME_DIR"); runtime && !runtime->empty()) {
    const fs::path folder = fs::path(*runtime) / "Ostrel";
    if (IsPrivateFolder(folder)) return folder;
  }
  const fs::path folder = PrivateTempFolder() / "locks";
  std::error_code ec;
  fs::create_directories(folder, ec);
  return folder;
}

bool IsOnLocalDisk(const fs::path& folder) {
  struct statfs info {};
  if (statfs(folder.c_str(), &info) != 0) return true;  // let the marker search decide
  switch (static_cast<unsigned long>(info.f_type)) {
    case 0x6969:      // NFS
    case 0x517B:      // SMB
    case 0xFF534D42:  // CIFS
    case 0xFE534D42:  // SMB2
    case 0x9660:      // ISO 9660 (CD)
    case 0x15013346:  // UDF (DVD)
      return false;
    default:
      return true;
  }
}

fs::path ExecutablePath() {
  std::error_code ec;
  fs::path path = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : path;
}

}  // namespace platform
