#include "catalogue/library_scan.h"

#include "catalogue/library_paths.h"
#include "catalogue/model_library.h"
#include "errors/guard.h"
#include "platform/text.h"

namespace catalogue {
namespace {

// The location code of a failed scan of the kind's rows.
std::string_view ScanCode(int kind) {
  if (kind == kCivilizations) return "02.014-02";
  return kind == kStandardUnits ? "02.014-01" : "02.015-01";
}

GridRow DefaultRow(int kind, int row) {
  GridRow grid_row;
  grid_row.key = UnitIdentifier(kind, row);
  grid_row.label = RowLabel(kind, row);
  grid_row.value = std::string(DefaultValue(kind));
  grid_row.pick_list.push_back(grid_row.value);
  return grid_row;
}

FolderScan ScanRowFolders(const fs::path& data_folder, int kind, const std::string& identifier) {
  const fs::path folder =
      LibraryPath(data_folder, std::string(LibraryFolder(kind)) + "\\" + identifier);
  if (folder.empty()) return {};
  if (kind == kCivilizations) return ScanFlagFolders(folder);
  return ScanModelFolders(folder, data_folder, kind != kStandardUnits);
}

}  // namespace

FolderScan ScanModelFolders(const fs::path& unit_folder, const fs::path& data_folder,
                            bool new_units) {
  return errors::Guarded(new_units ? "02.015-01" : "02.014-01", [&] {
    FolderScan scan;
    for (std::string& name : SubfolderNames(unit_folder)) {
      const fs::path folder = LibraryPath(unit_folder, name);
      if (!IsValidModelFolder(folder, data_folder)) continue;
      if (FormOf(folder) == ModelForm::kOwn) ++scan.own_models;
      scan.names.push_back(std::move(name));
    }
    return scan;
  });
}

FolderScan ScanFlagFolders(const fs::path& civilization_folder) {
  return errors::Guarded("02.014-02", [&] {
    FolderScan scan;
    for (std::string& name : SubfolderNames(civilization_folder)) {
      if (!IsValidFlagFolder(LibraryPath(civilization_folder, name))) continue;
      ++scan.own_models;
      scan.names.push_back(std::move(name));
    }
    return scan;
  });
}

GridRow ScanRow(const fs::path& data_folder, int kind, int row) {
  GridRow grid_row = DefaultRow(kind, row);
  if (grid_row.key.empty()) return grid_row;
  FolderScan scan = ScanRowFolders(data_folder, kind, grid_row.key);
  grid_row.own_models = scan.own_models;
  for (std::string& name : scan.names) grid_row.pick_list.push_back(std::move(name));
  return grid_row;
}

CatalogueScan ScanCatalogue(const fs::path& data_folder) {
  CatalogueScan result;
  constexpr int kFillOrder[] = {kCivilizations, kStandardUnits, kAirUnits, kSeaUnits, kLandUnits};
  for (const int kind : kFillOrder) {
    std::vector<GridRow>& rows = result.grids[kind];
    for (int row = 1; row <= RowCount(kind); ++row) {
      GridRow grid_row = errors::GuardedOr(std::string(ScanCode(kind)), DefaultRow(kind, row),
                                           [&] { return ScanRow(data_folder, kind, row); });
      if (kind == kCivilizations) {
        result.statistics.flags += grid_row.own_models;
      } else if (kind == kStandardUnits) {
        result.statistics.replacement_models += grid_row.own_models;
      } else {
        result.statistics.new_unit_models += grid_row.own_models;
      }
      rows.push_back(std::move(grid_row));
    }
  }
  result.statistics.replaceable_units = RowCount(kStandardUnits);
  result.statistics.new_units = RowCount(kAirUnits) + RowCount(kSeaUnits) + RowCount(kLandUnits);
  return result;
}

std::optional<std::string> AcceptedValue(const std::vector<std::string>& pick_list,
                                         std::string_view value) {
  for (const std::string& entry : pick_list) {
    if (entry == value) return entry;
  }
  for (const std::string& entry : pick_list) {
    if (platform::EqualsNoCase(entry, value)) return entry;
  }
  return std::nullopt;
}

std::optional<std::string> AcceptedValue(const fs::path& data_folder, int kind, int row,
                                         std::string_view value) {
  if (!IsKnownKind(kind) || row < 1 || row > RowCount(kind)) return std::nullopt;
  return AcceptedValue(ScanRow(data_folder, kind, row).pick_list, value);
}

}  // namespace catalogue
