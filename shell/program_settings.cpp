#include "shell/program_settings.h"

#include "errors/guard.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/file_version.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/program_identity.h"
#include "shell/system_services.h"

namespace shell {
namespace {

constexpr char kMain[] = "Main";
constexpr char kSettings[] = "Settings";
constexpr char kFormatVersion[] = "01.00";
constexpr char kGameKey[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Firaxis Games\\Sid Meier's Civilization 4 - Beyond the Sword";

bool HasFile(std::string_view folder, std::string_view name) {
  return !folder.empty() && platform::IsFile(FileInFolder(folder, name));
}

std::string ParentText(std::string_view folder) {
  std::string text = platform::ToSlashes(folder);
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  const size_t cut = text.rfind('/');
  if (cut == std::string::npos) return {};
  return cut == 0 ? "/" : text.substr(0, cut);
}

}  // namespace

ProgramSettings& CurrentProgramSettings() {
  static ProgramSettings settings;
  return settings;
}

fs::path FileInFolder(std::string_view folder, std::string_view name) {
  return platform::PathFromUserText(platform::WithTrailingSeparator(folder) + std::string(name));
}

GameLookup DefaultGameLookup() {
  GameLookup lookup;
  lookup.registry = platform::RegistryStore(platform::RegistryStore::DefaultLocation()).Read();
  lookup.documents = platform::SpecialFolder(9, lookup.registry);
  lookup.program_files = platform::SpecialFolder(8, lookup.registry);
  return lookup;
}

std::string RegistryGameValue(std::string_view value_name, const GameLookup& lookup) {
  return errors::Guarded("07.002-01", [&]() -> std::string {
    const bool install_dir = value_name == "INSTALLDIR";
    const std::string marker = install_dir ? kGameExecutable : kGameSettingsFile;
    if (const auto stored = lookup.registry.ReadString(kGameKey, value_name)) {
      if (HasFile(*stored, marker)) return *stored;
    }
    if (!install_dir) {
      const std::string documents =
          platform::PathToAnsi(lookup.documents / "My Games" / "Beyond the Sword");
      return !lookup.documents.empty() && HasFile(documents, marker) ? documents : "";
    }
    const std::string program_files = platform::PathToAnsi(lookup.program_files);
    const std::string candidates[] = {
        program_files + "/Firaxis Games/Sid Meier's Civilization 4/Beyond the Sword",
        program_files + "/Sid Meier's Civilization 4/Beyond the Sword",
        program_files + "/Civilization 4/Beyond the Sword",
        "C:\\Program Files\\Firaxis Games\\Sid Meier's Civilization 4\\Beyond the Sword",
    };
    for (const auto& candidate : candidates) {
      if (!lookup.program_files.empty() || candidate.starts_with("C:")) {
        if (HasFile(candidate, marker)) return candidate;
      }
    }
    return "";
  });
}

std::string ViewerLookup(std::string_view extension, const platform::RegistryData& registry) {
  const std::string ext_key =
      platform::RegistryKey(platform::kHkeyClassesRoot, "." + std::string(extension));
  std::string command;
  if (registry.KeyExists(ext_key + "\\shell\\open\\command")) {
    command = registry.ReadString(ext_key + "\\shell\\open\\command", "").value_or("");
  } else if (registry.KeyExists(ext_key)) {
    const std::string class_name = registry.ReadString(ext_key, "").value_or("");
    if (!class_name.empty()) {
      command = registry
                    .ReadString(platform::RegistryKey(platform::kHkeyClassesRoot,
                                                      class_name + "\\shell\\open\\command"),
                                "")
                    .value_or("");
    }
  }
  if (const size_t percent = command.find('%'); percent != std::string::npos) {
    command.resize(percent);
  }
  if (!command.empty() && command.front() == '"') command.erase(command.begin());
  if (!command.empty() && command.back() == '"') command.pop_back();
  while (!command.empty() && (command.back() == ' ' || command.back() == '"')) command.pop_back();
  return command;
}

ProgramSettings ReadProgramSettings(
    const fs::path& file, const GameLookup& lookup,
    const std::function<void(int repairs, int reads)>& repair_notice) {
  ProgramSettings settings;
  errors::Guarded("07.003-01", [&] {
    if (platform::IsFile(file)) {
      platform::IniFile ini = platform::IniFile::Load(file);
      int repairs = 0;
      if (ini.GetString(kMain, "Version", "").empty()) ini.Set(kMain, "Version", kFormatVersion);
      if (ini.GetString(kMain, "ProgramVersion", "").empty()) {
        ini.Set(kMain, "ProgramVersion", kProgramVersion);
      }
      settings.auto_config = ini.GetBool(kSettings, "AutoConfig", true);
      if (!ini.HasKey(kSettings, "AutoConfig")) {
        ini.SetBool(kSettings, "AutoConfig", true);
        ++repairs;
      }
      const int64_t info_lang = ini.GetInt(kSettings, "InfoLang", 0);
      if (!ini.HasKey(kSettings, "InfoLang")) {
        ini.SetInt(kSettings, "InfoLang", 0);
        ++repairs;
      }
      settings.info_lang = info_lang == 0 || info_lang == 1 ? static_cast<int>(info_lang) : 0;
      const auto text = [&](const char* key) {
        auto value = ini.Get(kSettings, key);
        if (!value) ++repairs;
        return value.value_or("");
      };
      settings.game_folder = text("PatchToGameDir");
      settings.game_settings_folder = text("PatchToSettingsDir");
      settings.viewer_path = text("NifSkopePatch");
      if (settings.viewer_path.empty() ||
          !platform::IsFile(platform::PathFromUserText(settings.viewer_path))) {
        const std::string registered = ViewerLookup("nif", lookup.registry);
        const size_t cut = platform::ToSlashes(registered).rfind('/');
        const std::string name = cut == std::string::npos ? registered : registered.substr(cut + 1);
        settings.viewer_path = name == kViewerExecutable ? registered : "";
      }
      if (repairs > 0 && repair_notice) repair_notice(repairs, 5);
      ini.Save(file);
    }
    if (!GameExecutableExists(settings.game_folder)) settings.game_folder.clear();
    if (!HasFile(settings.game_settings_folder, kGameSettingsFile)) {
      settings.game_settings_folder.clear();
    }
    if (settings.game_folder.empty())
      settings.game_folder = RegistryGameValue("INSTALLDIR", lookup);
    if (settings.game_settings_folder.empty()) {
      settings.game_settings_folder = RegistryGameValue("SavedGames", lookup);
    }
  });
  return settings;
}

void WriteProgramSettings(const fs::path& file, const ProgramSettings& settings) {
  errors::Guarded("07.001-01", [&] {
    platform::IniFile ini;
    ini.Set(kMain, "File", "<Vornak Settings File>");
    ini.Set(kMain, "Version", kFormatVersion);
    ini.Set(kMain, "ProgramVersion", kProgramVersion);
    ini.SetBool(kSettings, "AutoConfig", settings.auto_config);
    ini.SetInt(kSettings, "InfoLang", settings.info_lang);
    ini.Set(kSettings, "PatchToGameDir", settings.game_folder);
    ini.Set(kSettings, "PatchToSettingsDir", settings.game_settings_folder);
    ini.Set(kSettings, "NifSkopePatch", settings.viewer_path);
    ini.Set(kMain, "Date", platform::FormatShortDate(platform::Now()));
    ini.Save(file);
  });
}

std::string NormalizeGameVersion(std::string_view version_text) {
  std::string out;
  for (char c : version_text) {
    if (c == ' ') continue;
    out += c == ',' ? '.' : c;
  }
  return out;
}

bool GameExecutableExists(std::string_view game_folder) {
  return HasFile(game_folder, kGameExecutable);
}

std::string GameExecutableVersion(std::string_view game_folder) {
  if (!GameExecutableExists(game_folder)) return {};
  return NormalizeGameVersion(FileVersion(FileInFolder(game_folder, kGameExecutable)));
}

bool GameAllowsDllComponents(std::string_view game_folder) {
  return GameExecutableVersion(game_folder) == kDllGameVersion;
}

std::optional<std::string> FindMarkerFolder(std::string_view chosen, std::string_view marker) {
  std::string folder(chosen);
  bool found = HasFile(folder, marker);
  const std::string deeper = platform::WithTrailingSeparator(folder) + "Beyond the Sword";
  if (HasFile(deeper, marker)) {
    folder = deeper;
    found = true;
  }
  const std::string parent = ParentText(folder);
  if (!parent.empty() && HasFile(parent, marker)) {
    folder = parent;
    found = true;
  }
  if (!found) return std::nullopt;
  return folder;
}

}  // namespace shell
