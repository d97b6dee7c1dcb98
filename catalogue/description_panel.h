// What the description panel beside a grid shows for the selected row and value: the preview
// picture(s), the description text, and whether the 3D preview and unit-information buttons are
// enabled. The main window applies the result to its controls.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

namespace fs = std::filesystem;

inline constexpr std::string_view kStandardModelText = "Standart model of Civ IV";
inline constexpr std::string_view kDisabledText = "Disabled";

struct DescriptionRequest {
  int kind = 0;
  int row = 0;
  std::string value;  // the row's cell, ANSI
  fs::path data_folder;
  int info_lang = 0;           // 0 English, 1 Russian
  bool viewer_exists = false;  // a file exists at the model viewer's path
};

struct DescriptionPanel {
  // Image.JPG, and for a flag ImageG.JPG beside it; may name missing files (the panel then stays
  // empty and the caller reports it).
  std::vector<fs::path> pictures;
  std::string text;           // ANSI
  fs::path text_file;         // the description file read, empty for the fixed texts
  bool text_missing = false;  // a description file was wanted but could not be read
  fs::path model_folder;      // the chosen model's folder, for the preview; empty for defaults
  bool preview_enabled = false;
  // New-unit grids only: the unit's long description (InfoBig*.txt of the unit folder, whatever
  // model is chosen), and whether the unit-information button can show it.
  fs::path unit_info_file;
  bool unit_info_enabled = false;
};

DescriptionPanel DescribeSelection(const DescriptionRequest& request);

}  // namespace catalogue
