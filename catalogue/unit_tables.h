// The rows of the catalogue as constant data. Texts are written in the source as UTF-8; the
// queries of unit_catalogue.h hand them out as ANSI.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace catalogue::tables {

// An upgrade as the table writes it: a class name, or a row of the same kind.
struct UpgradeSpec {
  std::string_view class_name;
  int row = 0;
  bool empty() const { return class_name.empty() && row == 0; }
};
constexpr UpgradeSpec Class(std::string_view name) { return {name, 0}; }
constexpr UpgradeSpec Row(int row) { return {{}, row}; }

struct NewUnitSpec {
  std::string_view identifier;
  std::string_view display_name;  // UTF-8
  std::string_view animation;     // the game's animation file
  std::array<UpgradeSpec, 3> upgrades;
};

struct StandardUnitSpec {
  std::string_view identifier;
  std::string_view display_name;  // UTF-8
  std::string_view suffix;        // of "UNITCLASS_" and "ART_DEF_UNIT_"
  std::string_view animation;
  std::string_view button;  // empty for a unit without a button line
};

struct CivilizationSpec {
  std::string_view identifier;
  std::string_view display_name;  // UTF-8
};

std::span<const NewUnitSpec> NewUnits(int kind);  // kinds 0 to 2, empty otherwise
std::span<const StandardUnitSpec> StandardUnits();
std::span<const CivilizationSpec> Civilizations();

}  // namespace catalogue::tables
