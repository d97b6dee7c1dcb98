#include "generation/run_preparation.h"

#include <string>
#include <utility>

namespace generation {

void PrepareControlsForRun(config::OptionControls& controls, bool atomic_bombers_found) {
  // Options 2, 3, 9, 68, 138, 171, then 32 to 36.
  const std::pair<const char*, const char*> kStandardTexts[] = {
      {"NTCEdit2", "75"},   {"NTCEdit3", "50"},  {"NTCEdit1", "100"}, {"NTCEdit20", "4"},
      {"NTCEdit30", "100"}, {"NTCEdit22", "10"}, {"NTCEdit4", "2"},   {"NTCEdit5", "5"},
      {"NTCEdit6", "10"},   {"NTCEdit7", "10"},  {"NTCEdit8", "100"},
  };
  for (const auto& [edit, text] : kStandardTexts) {
    if (controls.Text(edit).empty()) controls.SetText(edit, text);
  }
  if (!atomic_bombers_found) return;
  const std::string grid = "ValueListEditor3";
  for (const char* bomber : {"AV_Atom_Bomber", "AV_Atom_Jet_Bomber", "AV_Atom_Stealth_Bomber"}) {
    for (int row = 1; row <= controls.RowCount(grid); ++row) {
      if (controls.RowKey(grid, row) == bomber) controls.SetRowValue(grid, row, "{None}");
    }
  }
}

}  // namespace generation
