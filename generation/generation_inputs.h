// What one generation run is given: the folders, the mod's folder name and target, the choices of
// the generation window, and the option state as a snapshot taken before the run.
#pragma once

#include <filesystem>
#include <string>

#include "config/option_snapshot.h"

namespace generation {

namespace fs = std::filesystem;

enum class Target {
  kGameFolder = 0,      // <game folder>/Mods/<name>
  kSettingsFolder = 1,  // <game settings folder>/Mods/<name>
};

struct GenerationInputs {
  fs::path data_folder;
  std::string game_folder;           // ANSI path text, as the program settings hold it
  std::string game_settings_folder;  // ANSI path text
  std::string folder_name;           // ANSI; one folder below Mods
  Target target = Target::kGameFolder;
  config::OptionSnapshot options;
  int icon = 0;  // 0: Vornak.ico, 1 to 6: Vornak1.ico to Vornak6.ico
  bool make_shortcut = true;  // "Создать ярлык на рабочем столе для запуска мода"
  fs::path desktop_folder;   // where the shortcut goes
  int exact_components = 0;  // loaded external components (they widen the gauge)
  // The configuration file text of the option state that produces the mod (its copy in the mod).
  std::string configuration_text;
  // List what the run would write without touching the disk.
  bool dry_run = false;
};

}  // namespace generation
