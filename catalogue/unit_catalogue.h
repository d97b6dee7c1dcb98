// The fixed catalogue of units and civilizations whose models and flags the user chooses: five
// kinds of rows, each row with its identifier (the name of its folder in the model library and the
// stem of the names built for the unit), its display name and the game data it stands for.
//
// Rows are numbered from 1 in table order; the row number is how the configuration file, the
// generator and the main window's grids address a row. Every query answers empty text, 0 or no
// targets for a kind or row outside the tables. Display names are ANSI (cp1251) like every other
// text inside the features; identifiers are ASCII.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// The kinds, by the numbers the configuration, the generator and the grids use.
enum Kind : int {
  kAirUnits = 0,       // new air units
  kSeaUnits = 1,       // new sea units
  kLandUnits = 2,      // new land units
  kStandardUnits = 3,  // the game's units whose model can be replaced
  kCivilizations = 4,  // civilizations, whose flag can be replaced
};
inline constexpr int kKindCount = 5;

// Cell values that name no folder: no new unit, or the game's own model or flag.
inline constexpr std::string_view kNone = "{None}";
inline constexpr std::string_view kStandart = "{Standart}";

// Item of the lines-of-development check list on which the early raider submarine's upgrade to the
// diesel submarine depends (items counted from 0).
inline constexpr int kPrivateerSubLineItem = 15;

bool IsKnownKind(int kind);
bool IsNewUnitKind(int kind);  // kinds 0 to 2

// Number of rows of the kind: 25, 13, 24, 18, 56.
int RowCount(int kind);
// The main window's grid of the kind ("ValueListEditor3", ...).
std::string_view EditorName(int kind);
// The cell value of a row nothing was chosen for: "{None}" or "{Standart}".
std::string_view DefaultValue(int kind);
// The kind's top folder in the data folder: "New", "Change" or "Art Flags".
std::string_view LibraryFolder(int kind);

// Kinds 0 to 4.
std::string UnitIdentifier(int kind, int row);
// The row's name as the grid shows it, ANSI; RowLabel puts the two leading blanks in front.
std::string DisplayName(int kind, int row);
std::string RowLabel(int kind, int row);
// Kinds 0 to 3; the identifier is compared exactly, case included. 0 when absent.
int UnitRow(int kind, std::string_view identifier);

// Kinds 0 to 3: "<KFM>" + the game's animation file + "</KFM>".
std::string StandardAnimation(int kind, int row);
// Kind 3: "<Button>" + the game's button + "</Button>", or "none" for a unit without one.
std::string StandardButton(int row);

// What StandardClassName answers.
enum StandardName : int {
  kClassName = 0,     // "UNITCLASS_" + suffix
  kArtDefine = 1,     // "ART_DEF_UNIT_" + suffix
  kEarlyArtLine = 2,  // the early-art line the gunship's record is matched on; empty for others
};
// Kind 3.
std::string StandardClassName(int which, int row);

// Kinds 0 to 2: "ART_DEF_UNIT_" + identifier.
std::string NewUnitArtTag(int kind, int row);

// One upgrade of a new unit: a class of the game, or another new unit of the same kind by row.
struct Upgrade {
  std::string class_name;  // set for a class of the game
  int row = 0;             // set for another new unit
  bool operator==(const Upgrade&) const = default;
};

struct UpgradeTargetResult {
  int count = 0;   // the number of targets of the row
  Upgrade target;  // target n, empty when n is out of range
};

// The upgrades of a new unit (kinds 0 to 2), in table order. The early raider submarine (sea row
// 8) upgrades to the diesel submarine only while item kPrivateerSubLineItem of the lines of
// development is checked; without it the row has no upgrade.
std::vector<Upgrade> UpgradeTargets(int kind, int row, bool privateer_line_checked);
// Target n (from 1) and the number of targets.
UpgradeTargetResult UpgradeTarget(int kind, int row, int n, bool privateer_line_checked);

// A grid row is chosen when its value is not "{None}". On the change-model grid an unchosen row
// holds "{Standart}", so there the answer is always yes.
bool IsRowChosen(std::string_view value);

// The value cell of a row (from 1) of the kind's grid, as the caller holds the grids.
using GridValue = std::function<std::string(int kind, int row)>;
// Whether the new unit with that identifier takes part: IsRowChosen of its row. An identifier the
// kind does not know is not chosen.
bool IsNewUnitChosen(int kind, std::string_view identifier, const GridValue& value);

}  // namespace catalogue
