// The pick lists of the five grids, scanned from the model library, and the statistics of what
// the scan found.
//
// Every row starts with its default value ("{None}" or "{Standart}") as the first item of its
// pick list; each valid model or flag folder of the row's library folder adds its name. Names are
// sorted without ASCII case, so every machine shows the same order. A row without valid folders
// keeps its default value and offers no choice.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/unit_catalogue.h"

namespace catalogue {

namespace fs = std::filesystem;

struct FolderScan {
  std::vector<std::string> names;  // valid folders, ANSI, sorted without ASCII case
  int own_models = 0;              // models that carry their own files; for flags, every flag
};

// The valid model folders of one unit folder (<data>/Change/<id> or <data>/New/<id>).
FolderScan ScanModelFolders(const fs::path& unit_folder, const fs::path& data_folder,
                            bool new_units);
// The valid flag folders of one civilization folder (<data>/Art Flags/<id>).
FolderScan ScanFlagFolders(const fs::path& civilization_folder);

// One row of a grid as the main window fills it.
struct GridRow {
  std::string key;                     // the identifier, stored as the configuration key
  std::string label;                   // "  " + display name, ANSI
  std::string value;                   // the default value
  std::vector<std::string> pick_list;  // the default value, then the folder names
  int own_models = 0;
  // A row without folders keeps a read-only cell.
  bool HasChoice() const { return pick_list.size() > 1; }
};

// The row `row` of `kind`, scanned from the data folder (empty: no choices).
GridRow ScanRow(const fs::path& data_folder, int kind, int row);

struct CatalogueStatistics {
  int replacement_models = 0;  // own models of the standard units
  int new_unit_models = 0;     // own models of the new units
  int flags = 0;
  int replaceable_units = 0;  // rows of the change-model grid
  int new_units = 0;          // rows of the three new-unit grids
};

struct CatalogueScan {
  std::array<std::vector<GridRow>, kKindCount> grids;  // by kind
  CatalogueStatistics statistics;
};

// Every row of every kind, in the order the start-up fills them (flags, replacements, new air,
// sea and land units). A row that fails is reported and left with its default value; the other
// rows are not affected.
CatalogueScan ScanCatalogue(const fs::path& data_folder);

// The cell value to take for `value` (from a configuration file or any other caller): the pick
// list entry that is the same text, else the one that differs only in ASCII case (the folder
// exists under that spelling); nullopt when the row does not offer it, and the cell is to stay as
// it is.
std::optional<std::string> AcceptedValue(const std::vector<std::string>& pick_list,
                                         std::string_view value);
// The same against a fresh scan of the row.
std::optional<std::string> AcceptedValue(const fs::path& data_folder, int kind, int row,
                                         std::string_view value);

}  // namespace catalogue
