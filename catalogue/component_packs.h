// Component packs: optional sets of game files in <data>/Components/<pack>/DATA/, described by a
// Components.ini that lists, one per line, the files the pack needs (relative to its DATA folder).
// A pack is available when its Components.ini exists and every file it lists is there; an empty
// line names no file and makes the pack unavailable, an empty list makes it available. Five packs
// each enable the check box of the option that installs them.
#pragma once

#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

namespace catalogue {

namespace fs = std::filesystem;

struct PackOption {
  std::string_view folder;     // under <data>/Components, ANSI, '\' between nested folders
  int option;                  // the option number that installs the pack
  std::string_view check_box;  // the option's check box in the main window
};

inline constexpr std::array<PackOption, 5> kPackOptions = {{
    {"Static Leaders 1.0", 38, "CheckBox26"},
    {"Static Religions 1.0", 39, "CheckBox27"},
    {"Static Wonders 1.0", 40, "CheckBox28"},
    {"Music Main Menu 1.0", 41, "CheckBox29"},
    {"Additional Civilizations\\Animated Leaders", 95, "CheckBox65"},
}};

bool IsPackAvailable(const fs::path& data_folder, std::string_view pack_folder);

struct PackOptionState {
  std::string_view check_box;
  int option = 0;
  bool enabled = false;  // the pack is available
};
// The enabled state of the five check boxes, in table order.
std::vector<PackOptionState> PackOptionStates(const fs::path& data_folder);

}  // namespace catalogue
