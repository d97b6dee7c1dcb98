#include "catalogue/unit_catalogue.h"

#include "catalogue/unit_tables.h"
#include "errors/guard.h"
#include "platform/text.h"

namespace catalogue {
namespace {

using tables::NewUnitRow;
using tables::StandardUnitRow;

constexpr int kRowCounts[kKindCount] = {25, 13, 24, 18, 56};
constexpr std::string_view kEditors[kKindCount] = {"ValueListEditor3", "ValueListEditor4",
                                                   "ValueListEditor1", "ValueListEditor2",
                                                   "ValueListEditor5"};

// The sea row whose upgrade depends on the lines of development.
constexpr int kPrivateerSubRow = 8;
// The standard row whose early-art line is matched on the tank's art define.
constexpr int kGunshipRow = 14;

bool InRange(int kind, int row) { return IsKnownKind(kind) && row >= 1 && row <= RowCount(kind); }

const NewUnitRow* NewUnit(int kind, int row) {
  const auto units = tables::NewUnits(kind);
  if (row < 1 || row > static_cast<int>(units.size())) return nullptr;
  return &units[row - 1];
}

const StandardUnitRow* StandardUnit(int row) {
  const auto units = tables::StandardUnits();
  if (row < 1 || row > static_cast<int>(units.size())) return nullptr;
  return &units[row - 1];
}

std::string_view IdentifierView(int kind, int row) {
  if (!InRange(kind, row)) return {};
  if (IsNewUnitKind(kind)) return NewUnit(kind, row)->identifier;
  if (kind == kStandardUnits) return StandardUnit(row)->identifier;
  return tables::Civilizations()[row - 1].identifier;
}

}  // namespace

bool IsKnownKind(int kind) { return kind >= 0 && kind < kKindCount; }
bool IsNewUnitKind(int kind) { return kind >= kAirUnits && kind <= kLandUnits; }

int RowCount(int kind) { return IsKnownKind(kind) ? kRowCounts[kind] : 0; }

std::string_view EditorName(int kind) { return IsKnownKind(kind) ? kEditors[kind] : ""; }

std::string_view DefaultValue(int kind) {
  if (IsNewUnitKind(kind)) return kNone;
  return IsKnownKind(kind) ? kStandart : "";
}

std::string_view LibraryFolder(int kind) {
  if (IsNewUnitKind(kind)) return "New";
  if (kind == kStandardUnits) return "Change";
  if (kind == kCivilizations) return "Art Flags";
  return "";
}

std::string UnitIdentifier(int kind, int row) {
  return errors::Guarded("02.003-01", [&] { return std::string(IdentifierView(kind, row)); });
}

std::string DisplayName(int kind, int row) {
  if (!InRange(kind, row)) return {};
  std::string_view name;
  if (IsNewUnitKind(kind)) {
    name = NewUnit(kind, row)->display_name;
  } else if (kind == kStandardUnits) {
    name = StandardUnit(row)->display_name;
  } else {
    name = tables::Civilizations()[row - 1].display_name;
  }
  return platform::Ansi(name);
}

std::string RowLabel(int kind, int row) {
  std::string name = DisplayName(kind, row);
  return name.empty() ? name : "  " + name;
}

int UnitRow(int kind, std::string_view identifier) {
  return errors::Guarded("02.003-02", [&] {
    if (!IsKnownKind(kind) || kind == kCivilizations) return 0;
    for (int row = 1; row <= RowCount(kind); ++row) {
      if (IdentifierView(kind, row) == identifier) return row;
    }
    return 0;
  });
}

std::string StandardAnimation(int kind, int row) {
  return errors::Guarded("02.001-03", [&] {
    std::string_view animation;
    if (const NewUnitRow* unit = NewUnit(kind, row)) {
      animation = unit->animation;
    } else if (kind == kStandardUnits && StandardUnit(row)) {
      animation = StandardUnit(row)->animation;
    } else {
      return std::string();
    }
    return "<KFM>" + std::string(animation) + "</KFM>";
  });
}

std::string StandardButton(int row) {
  return errors::Guarded("02.001-02", [&] {
    const StandardUnitRow* unit = StandardUnit(row);
    if (!unit) return std::string();
    if (unit->button.empty()) return std::string("none");
    return "<Button>" + std::string(unit->button) + "</Button>";
  });
}

std::string StandardClassName(int which, int row) {
  return errors::Guarded("02.001-01", [&] {
    const StandardUnitRow* unit = StandardUnit(row);
    if (!unit) return std::string();
    switch (which) {
      case kClassName:
        return "UNITCLASS_" + std::string(unit->suffix);
      case kArtDefine:
        return "ART_DEF_UNIT_" + std::string(unit->suffix);
      case kEarlyArtLine:
        return row == kGunshipRow
                   ? std::string("<EarlyArtDefineTag>ART_DEF_UNIT_TANK</EarlyArtDefineTag>")
                   : std::string();
      default:
        return std::string();
    }
  });
}

std::string NewUnitArtTag(int kind, int row) {
  const NewUnitRow* unit = NewUnit(kind, row);
  return unit ? "ART_DEF_UNIT_" + std::string(unit->identifier) : std::string();
}

std::vector<Upgrade> UpgradeTargets(int kind, int row, bool privateer_line_checked) {
  std::vector<Upgrade> targets;
  const NewUnitRow* unit = NewUnit(kind, row);
  if (!unit) return targets;
  if (kind == kSeaUnits && row == kPrivateerSubRow && !privateer_line_checked) return targets;
  for (const auto& upgrade : unit->upgrades) {
    if (upgrade.empty()) break;
    targets.push_back({std::string(upgrade.class_name), upgrade.row});
  }
  return targets;
}

UpgradeTargetResult UpgradeTarget(int kind, int row, int n, bool privateer_line_checked) {
  return errors::Guarded("02.002-01", [&] {
    const std::vector<Upgrade> targets = UpgradeTargets(kind, row, privateer_line_checked);
    UpgradeTargetResult result;
    result.count = static_cast<int>(targets.size());
    if (n >= 1 && n <= result.count) result.target = targets[n - 1];
    return result;
  });
}

bool IsRowChosen(std::string_view value) {
  return errors::Guarded("08.002-01", [&] { return value != kNone; });
}

bool IsNewUnitChosen(int kind, std::string_view identifier, const GridValue& value) {
  return errors::Guarded("08.008-01", [&] {
    const int row = UnitRow(kind, identifier);
    if (row == 0 || !value) return false;
    return IsRowChosen(value(kind, row));
  });
}

}  // namespace catalogue
