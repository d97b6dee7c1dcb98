// The checks before a run: the game's folders, the data files the chosen options need, and a few
// risky combinations of options. Blocking findings keep the run from starting; the others only
// warn. Every finding is a line of the window's memo.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/option_snapshot.h"

namespace generation {

namespace fs = std::filesystem;

// The window's translatable texts the checks use (the captions and hints of its hidden labels
// MSG1 to MSG9), ANSI.
struct CheckTexts {
  std::string game_folder_wrong;      // MSG1 caption
  std::string settings_folder_wrong;  // MSG1 hint
  std::string files_missing;          // MSG5 caption
  std::string nothing_chosen;         // MSG5 hint
  std::string speeds;                 // MSG9 hint
  std::string privateer_line;         // MSG6 caption
  std::string destroyer_line;         // MSG6 hint
  std::string vtol_aircraft;          // MSG4 caption
  std::string vtol_carriers;          // MSG4 hint
  std::string atomic_bombers;         // MSG8 caption
  static CheckTexts BuiltIn();
};

struct CheckInputs {
  config::OptionSnapshot options;
  fs::path data_folder;
  std::string game_folder;           // ANSI
  std::string game_settings_folder;  // ANSI
  // The pages at their standard state (their standard-values buttons are disabled) and no
  // external-component option on.
  bool lines_standard = true;
  bool other_standard = true;
  bool interface_standard = true;
  bool speeds_standard = true;
  bool external_off = true;
  CheckTexts texts = CheckTexts::BuiltIn();
};

struct CheckResult {
  std::vector<std::string> memo;  // the memo's lines after the checks (its header first)
  bool blocking = false;          // "Далее >>" stays disabled
  bool warnings_page = false;     // show the Warnings page (any finding); else the Settings page
  bool atomic_bombers = false;    // the bomber rows go to "{None}" before the run
  std::array<bool, 7> icons{};    // which icon files exist (the icon buttons)
  // The game folders as the marker search corrected them (nullopt: not found).
  std::optional<std::string> game_folder;
  std::optional<std::string> game_settings_folder;
};

inline constexpr char kBullet[] = "\x95   ";  // "•" and three blanks in cp1251

CheckResult CheckWarnings(const CheckInputs& inputs);

// The required data files for the options, relative to the data folder, in the order they are
// checked; list files add their lines (relative to the data folder) after themselves.
std::vector<std::string> RequiredDataFiles(const CheckInputs& inputs);

// The silent list check used by the external components: true when the list file and every file
// it lists exist under the data folder.
bool AllListedFilesExist(const fs::path& data_folder, std::string_view list_file);

}  // namespace generation
