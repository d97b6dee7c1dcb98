// The program settings file Settings/Vornak.ini and where the game is: the game folder (with
// Civ4BeyondSword.exe and Mods), the game's settings folder (with CivilizationIV.ini), the path of
// the model viewer, the language of the model descriptions and whether the configuration is kept
// between runs.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"
#include "platform/registry_store.h"

namespace shell {

namespace fs = std::filesystem;

inline constexpr char kGameExecutable[] = "Civ4BeyondSword.exe";
inline constexpr char kGameSettingsFile[] = "CivilizationIV.ini";
inline constexpr char kViewerExecutable[] = "NifSkope.exe";
// The only game version the DLL components work with, as the version text reads after
// NormalizeGameVersion.
inline constexpr char kDllGameVersion[] = "3.1.9.0.(128100)";

// Folder texts are ANSI paths; the game folder ends in a separator once the main window has been
// shown.
struct ProgramSettings {
  bool auto_config = true;
  int info_lang = 0;  // language of the model descriptions: 0 English, 1 Russian
  std::string game_folder;
  std::string game_settings_folder;
  std::string viewer_path;
};

// The process's settings.
ProgramSettings& CurrentProgramSettings();

// Where the default places of the game are looked for.
struct GameLookup {
  platform::RegistryData registry;
  fs::path documents;      // the "Personal" shell folder
  fs::path program_files;  // the "ProgramFilesDir" folder
};
GameLookup DefaultGameLookup();

// Reads the file (missing: the defaults) with its repairs, then locates the game from the file,
// the registry store and the default places. `repair_notice` is shown when keys were missing.
ProgramSettings ReadProgramSettings(
    const fs::path& file, const GameLookup& lookup,
    const std::function<void(int repairs, int reads)>& repair_notice);

// Writes the whole file in its fixed order.
void WriteProgramSettings(const fs::path& file, const ProgramSettings& settings);

// The game's registry value ("INSTALLDIR" or "SavedGames") when it holds the game, else the
// default places; empty when nothing is found.
std::string RegistryGameValue(std::string_view value_name, const GameLookup& lookup);

// The program registered to open files with the extension, without its arguments and quotes.
std::string ViewerLookup(std::string_view extension, const platform::RegistryData& registry);

// The game executable's version text with blanks removed and commas turned into points.
std::string NormalizeGameVersion(std::string_view version_text);
std::string GameExecutableVersion(std::string_view game_folder);
bool GameExecutableExists(std::string_view game_folder);
// The DLL components can be installed into this game folder.
bool GameAllowsDllComponents(std::string_view game_folder);

// The folder chosen in the settings window, corrected when it is one level off: tried as given,
// then its "Beyond the Sword" subfolder, then its parent. nullopt when no folder of the three
// holds the marker file.
std::optional<std::string> FindMarkerFolder(std::string_view folder, std::string_view marker);

// The path text of a file in a folder text ("folder" + separator + name).
fs::path FileInFolder(std::string_view folder, std::string_view name);

}  // namespace shell
