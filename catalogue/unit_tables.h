// The rows of the catalogue as constant data. Texts are written in the source as UTF-8; the
// queries of unit_catalogue.h hand them out as ANSI.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace catalogue::tables {

// An upgrade as the table writes it: a class name, or a row of the same kind.
struct UpgradeEntry {
  std::string_view class_name;
  int row = 0;
  bool empty() const { return class_name.empty() && row == 0; }
};
constexpr UpgradeEntry Class(std::string_view name) { return {name, 0}; }
constexpr UpgradeEntry Row(int row) { return {{}, row}; }

struct NewUnitRow {
  std::string_view identifier;
  std::string_view display_name;  // UTF-8
  std::string_view animation;     // the game's animation file
  std::array<UpgradeEntry, 3> upgrades;
};

struct StandardUnitRow {
  std::string_view identifier;
  std::string_view display_name;  // UTF-8
  std::string_view suffix;        // of "UNITCLASS_" and "ART_DEF_UNIT_"
  std::string_view animation;
  std::string_view button;  // empty for a unit without a button line
};

struct CivilizationRow {
  std::string_view identifier;
  std::string_view display_name;  // UTF-8
};

std::span<const NewUnitRow> NewUnits(int kind);  // kinds 0 to 2, empty otherwise
std::span<const StandardUnitRow> StandardUnits();
std::span<const CivilizationRow> Civilizations();

}  // namespace catalogue::tables
