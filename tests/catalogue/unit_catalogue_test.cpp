#include "catalogue/unit_catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "catalogue/library_paths.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace catalogue {
namespace {

using platform::Ansi;

TEST(UnitCatalogue, EveryRowIsFoundByItsIdentifierAndNamesAFolder) {
  for (int kind = 0; kind < kKindCount; ++kind) {
    std::set<std::string> seen;
    for (int row = 1; row <= RowCount(kind); ++row) {
      const std::string identifier = UnitIdentifier(kind, row);
      EXPECT_TRUE(IsSingleName(identifier)) << kind << "/" << row;
      EXPECT_TRUE(seen.insert(identifier).second) << "duplicate " << identifier;
      EXPECT_FALSE(DisplayName(kind, row).empty()) << identifier;
      if (kind != kCivilizations) {
        EXPECT_EQ(UnitRow(kind, identifier), row) << identifier;
      }
    }
  }
  EXPECT_EQ(RowCount(kAirUnits) + RowCount(kSeaUnits) + RowCount(kLandUnits), 62);
}

TEST(UnitCatalogue, KeepsTheOddSpellingsExactly) {
  struct Case {
    int kind;
    int row;
    const char* identifier;
    const char* display_name;  // UTF-8
  } cases[] = {
      {kAirUnits, 4, "AV_Early_Incepter", "Ранний истребитель-перехватчик"},
      {kAirUnits, 14, "AV_GydroPlane", "Гидросамолет"},
      {kAirUnits, 17, "AV_ASHellicopter", "Палубный противолодочный вертолет"},
      {kAirUnits, 18, "AV_Early_reconnaissance_airplane", "Ранний самолет-разведчик"},
      {kSeaUnits, 9, "Navy_AirSub", "Авианесущяя ПЛ (разведовательная)"},
      {kLandUnits, 1, "AV_lightHellicopter", "Легкий вертолет"},
      {kLandUnits, 12, "TR_motocicle", "Мотоциклист"},
      {kLandUnits, 13, "TR_Ear_Mech_Infantry", "Ранняя мотопехота"},
      {kStandardUnits, 6, "Navy_Linkor", "Линкор"},
      {kStandardUnits, 7, "Navy_AntiSub_submarine", "Атакующяя подводная лодка"},
      {kStandardUnits, 9, "Navy_Missile_ship", "Ракетный крейсер (рекомендуется заменить*)"},
      {kCivilizations, 35, "BARBARIAN", "Варвары"},
      {kCivilizations, 38, "Belorus", "Белоруссия"},
      {kCivilizations, 53, "SouthAfrica", "ЮАР"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UnitIdentifier(c.kind, c.row), c.identifier);
    EXPECT_EQ(DisplayName(c.kind, c.row), Ansi(c.display_name)) << c.identifier;
  }
  EXPECT_EQ(RowLabel(kSeaUnits, 13), Ansi("  Дизельная ПЛ"));
}

std::string Upgrades(int kind, int row, bool diesel_line) {
  std::string text;
  for (const Upgrade& target : UpgradeTargets(kind, row, diesel_line)) {
    if (!text.empty()) text += ", ";
    text += target.row ? "row " + std::to_string(target.row) : target.class_name;
  }
  return text;
}

// Every row with every column the queries give, as data/unit_catalogue.txt lists it (UTF-8, one
// row a line, tab-separated; the upgrades with and without the diesel line).
TEST(UnitCatalogue, EveryRowMatchesTheGoldenTable) {
  std::vector<std::string> rows;
  for (int kind = 0; kind < kKindCount; ++kind) {
    for (int row = 1; row <= RowCount(kind); ++row) {
      std::vector<std::string> cells = {std::to_string(kind), std::to_string(row),
                                        UnitIdentifier(kind, row),
                                        platform::Cp1251ToUtf8(RowLabel(kind, row))};
      if (IsNewUnitKind(kind)) {
        cells.insert(cells.end(), {StandardAnimation(kind, row), NewUnitArtTag(kind, row),
                                   Upgrades(kind, row, true) + " / " + Upgrades(kind, row, false)});
      } else if (kind == kStandardUnits) {
        cells.insert(cells.end(), {StandardAnimation(kind, row), StandardClassName(kClassName, row),
                                   StandardClassName(kArtDefine, row),
                                   StandardClassName(kEarlyArtLine, row), StandardButton(row)});
      }
      std::string line;
      for (const std::string& cell : cells) line += (line.empty() ? "" : "\t") + cell;
      rows.push_back(line);
    }
  }
  const auto golden =
      platform::ReadFileBytes(std::filesystem::path(CATALOGUE_TEST_DATA) / "unit_catalogue.txt");
  ASSERT_TRUE(golden);
  std::vector<std::string> expected = platform::SplitLines(*golden);
  while (!expected.empty() && expected.back().empty()) expected.pop_back();
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], expected[i]);
}

TEST(UnitCatalogue, LookupsOutsideTheTablesAnswerNothing) {
  EXPECT_EQ(UnitRow(kSeaUnits, "Navy_BPK"), 10);
  EXPECT_EQ(UnitRow(kSeaUnits, "navy_bpk"), 0);
  EXPECT_EQ(UnitRow(kAirUnits, "Navy_BPK"), 0);
  EXPECT_EQ(UnitRow(kCivilizations, "RUSSIA"), 0);
  EXPECT_EQ(UnitIdentifier(kAirUnits, 0), "");
  EXPECT_EQ(UnitIdentifier(kAirUnits, 26), "");
  EXPECT_EQ(UnitIdentifier(5, 1), "");
  EXPECT_EQ(DisplayName(-1, 1), "");
  EXPECT_EQ(RowLabel(kStandardUnits, 19), "");
  EXPECT_EQ(StandardAnimation(kCivilizations, 1), "");
  EXPECT_EQ(StandardButton(0), "");
  EXPECT_EQ(StandardClassName(kClassName, 19), "");
  EXPECT_EQ(NewUnitArtTag(kStandardUnits, 1), "");
}

TEST(UnitCatalogue, KindsNameTheirGridsDefaultsAndFolders) {
  struct Case {
    int kind;
    const char* editor;
    std::string_view default_value;
    const char* folder;
  } cases[] = {
      {kAirUnits, "ValueListEditor3", kNone, "New"},
      {kSeaUnits, "ValueListEditor4", kNone, "New"},
      {kLandUnits, "ValueListEditor1", kNone, "New"},
      {kStandardUnits, "ValueListEditor2", kStandart, "Change"},
      {kCivilizations, "ValueListEditor5", kStandart, "Art Flags"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EditorName(c.kind), c.editor);
    EXPECT_EQ(DefaultValue(c.kind), c.default_value);
    EXPECT_EQ(LibraryFolder(c.kind), c.folder);
  }
}

TEST(UnitCatalogue, BuildsTheGameLinesOfTheUnits) {
  EXPECT_EQ(StandardAnimation(kAirUnits, 17), "<KFM>Art/Units/Gunship/GunShip.kfm</KFM>");
  EXPECT_EQ(StandardAnimation(kStandardUnits, 12),
            "<KFM>Art/Units/AntiTankInfantry/WWAntiTankInfantry.kfm</KFM>");
  EXPECT_EQ(StandardButton(7),
            "<Button>,Art/Interface/Buttons/Units/ICBM.dds,Art/Interface/Buttons/"
            "Beyond_the_Sword_Atlas.dds,4,12</Button>");
  for (const int row : {9, 10, 11, 14}) EXPECT_EQ(StandardButton(row), "none") << row;
  EXPECT_EQ(StandardClassName(kClassName, 12), "UNITCLASS_AT_INFANTRY");
  EXPECT_EQ(StandardClassName(kArtDefine, 16), "ART_DEF_UNIT_MODERN_ARMOR");
  EXPECT_EQ(StandardClassName(kEarlyArtLine, 14),
            "<EarlyArtDefineTag>ART_DEF_UNIT_TANK</EarlyArtDefineTag>");
  EXPECT_EQ(StandardClassName(kEarlyArtLine, 15), "");
  EXPECT_EQ(NewUnitArtTag(kAirUnits, 21), "ART_DEF_UNIT_AV_bpla");
}

TEST(UpgradeTarget, FollowsTheTableAndTheDieselLine) {
  const auto row = [](int r) { return Upgrade{"", r}; };
  const auto cls = [](const char* c) { return Upgrade{c, 0}; };
  struct Case {
    int kind;
    int row;
    bool diesel_line;
    std::vector<Upgrade> targets;
  } cases[] = {
      {kAirUnits, 1, false, {cls("UNITCLASS_FIGHTER")}},
      {kAirUnits, 16, false, {row(15), row(17), row(11)}},
      {kAirUnits, 6, false, {}},
      {kSeaUnits, 3, false, {cls("UNITCLASS_DESTROYER"), cls("UNITCLASS_DESTROYER"), row(8)}},
      {kSeaUnits, 8, false, {}},
      {kSeaUnits, 8, true, {row(13)}},
      {kLandUnits,
       10,
       false,
       {cls("UNITCLASS_MOBILE_ARTILLERY"), cls("UNITCLASS_MECHANIZED_INFANTRY")}},
      {kLandUnits, 23, true, {row(5)}},
      {kStandardUnits, 1, true, {}},
      {kAirUnits, 26, true, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UpgradeTargets(c.kind, c.row, c.diesel_line), c.targets) << c.kind << "/" << c.row;
    const auto first = UpgradeTarget(c.kind, c.row, 1, c.diesel_line);
    EXPECT_EQ(first.count, static_cast<int>(c.targets.size()));
    if (!c.targets.empty()) {
      EXPECT_EQ(first.target, c.targets.front());
    }
  }
  const auto third = UpgradeTarget(kAirUnits, 16, 3, false);
  EXPECT_EQ(third.count, 3);
  EXPECT_EQ(third.target.row, 11);
  const auto beyond = UpgradeTarget(kAirUnits, 16, 4, false);
  EXPECT_EQ(beyond.count, 3);
  EXPECT_EQ(beyond.target, Upgrade{});
}

TEST(UpgradeTarget, RowTargetsStayInTheirKindAndEndSomewhere) {
  // The generator resolves a row target that is not added through that row's own targets, so the
  // chains must end.
  for (int kind = kAirUnits; kind <= kLandUnits; ++kind) {
    for (int start = 1; start <= RowCount(kind); ++start) {
      std::vector<int> open = {start};
      for (int steps = 0; !open.empty(); ++steps) {
        ASSERT_LT(steps, 100) << "upgrade cycle from " << kind << "/" << start;
        const int current = open.back();
        open.pop_back();
        for (const Upgrade& target : UpgradeTargets(kind, current, true)) {
          if (target.row == 0) continue;
          ASSERT_GE(target.row, 1);
          ASSERT_LE(target.row, RowCount(kind));
          open.push_back(target.row);
        }
      }
    }
  }
}

TEST(UnitCatalogue, ChoiceFollowsTheRowValue) {
  EXPECT_FALSE(IsRowChosen(kNone));
  EXPECT_TRUE(IsRowChosen("Sopwith"));
  EXPECT_TRUE(IsRowChosen(kStandart));
  const GridValue grids = [](int kind, int row) {
    return kind == kLandUnits && row == 2 ? std::string("Huey") : std::string(kNone);
  };
  EXPECT_TRUE(IsNewUnitChosen(kLandUnits, "AV_Hellicopter", grids));
  EXPECT_FALSE(IsNewUnitChosen(kLandUnits, "AV_HeavyHellicopter", grids));
  EXPECT_FALSE(IsNewUnitChosen(kLandUnits, "av_hellicopter", grids));
  EXPECT_FALSE(IsNewUnitChosen(kLandUnits, "AV_Hellicopter", nullptr));
}

}  // namespace
}  // namespace catalogue
