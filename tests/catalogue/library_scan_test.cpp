#include "catalogue/library_scan.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/support/temp_folder.h"

namespace catalogue {
namespace {

using platform::Ansi;
using testing_support::TempFolder;
using Names = std::vector<std::string>;

void OwnModel(const TempFolder& temp, const std::string& folder) {
  for (const char* file : {"InfoEng.txt", "Individual.XML", "Model/ModelVersion.ini",
                           "Model/Model.ini", "Model/Button.dds"}) {
    temp.Write(folder + "/" + file, "x");
  }
}

void Flag(const TempFolder& temp, const std::string& folder) {
  temp.Write(folder + "/Model/ModelVersion.ini", "x");
  temp.Write(folder + "/Model/flag.dds", "x");
}

TEST(LibraryScan, OffersValidFoldersSortedWithoutCaseAndCountsOwnModels) {
  TempFolder temp;
  const std::string unit = "DATA/Change/TR_tank/";
  OwnModel(temp, unit + "beta");
  OwnModel(temp, unit + "Alpha");
  OwnModel(temp, unit + "Танк");
  temp.Write(unit + "Gamma/InfoRus.txt", "x");
  temp.Write(unit + "Gamma/Model.txt", "Change\\TR_tank\r\nAlpha\r\n");
  temp.Write(unit + "delta/InfoEng.txt", "x");
  temp.Write(unit + "delta/StandartModel.txt", "<Type>ART_DEF_UNIT_TANK</Type>");
  temp.Write(unit + "Broken/InfoEng.txt", "x");  // no form at all
  OwnModel(temp, unit + "日本");                 // no ANSI spelling: cannot be stored
  OwnModel(temp, unit + "Alpha\\Beta");          // would be read as a path
  temp.Write(unit + "ForAll.XML", "a file, not a model");

  const FolderScan scan = ScanModelFolders(temp / unit, temp / "DATA", false);
  EXPECT_EQ(scan.names, (Names{"Alpha", "beta", "delta", "Gamma", Ansi("Танк")}));
  EXPECT_EQ(scan.own_models, 3);

  const GridRow row = ScanRow(temp / "DATA", kStandardUnits, 15);
  EXPECT_EQ(row.key, "TR_tank");
  EXPECT_EQ(row.label, Ansi("  Танк"));
  EXPECT_EQ(row.value, "{Standart}");
  EXPECT_EQ(row.pick_list, (Names{"{Standart}", "Alpha", "beta", "delta", "Gamma", Ansi("Танк")}));
  EXPECT_TRUE(row.HasChoice());
}

TEST(LibraryScan, FillsEveryGridAndCountsWhatItFound) {
  TempFolder temp;
  // Unit and top folders in other letter cases than the catalogue writes them.
  OwnModel(temp, "DATA/change/av_fighter/Spitfire");
  OwnModel(temp, "DATA/NEW/AV_Biplane/Sopwith");
  temp.Write("DATA/NEW/AV_Biplane/Camel/InfoRus.txt", "x");
  temp.Write("DATA/NEW/AV_Biplane/Camel/Model.txt", "New\\AV_Biplane\r\nSopwith\r\n");
  OwnModel(temp, "DATA/NEW/Navy_Adv_Sub/U-9");
  Flag(temp, "DATA/Art Flags/RUSSIA/Tricolour");
  Flag(temp, "DATA/Art Flags/Vietnam/Star");
  temp.Write("DATA/Art Flags/Vietnam/Sketch/Model/ModelVersion.ini", "x");

  const CatalogueScan scan = ScanCatalogue(temp / "DATA");
  ASSERT_EQ(scan.grids[kAirUnits].size(), 25u);
  ASSERT_EQ(scan.grids[kCivilizations].size(), 56u);
  EXPECT_EQ(scan.grids[kStandardUnits][0].pick_list, (Names{"{Standart}", "Spitfire"}));
  EXPECT_EQ(scan.grids[kAirUnits][0].pick_list, (Names{"{None}", "Camel", "Sopwith"}));
  EXPECT_EQ(scan.grids[kSeaUnits][12].pick_list, (Names{"{None}", "U-9"}));
  EXPECT_EQ(scan.grids[kCivilizations][55].pick_list, (Names{"{Standart}", "Star"}));
  EXPECT_FALSE(scan.grids[kLandUnits][0].HasChoice());
  EXPECT_EQ(scan.grids[kLandUnits][0].value, "{None}");

  EXPECT_EQ(scan.statistics.replacement_models, 1);
  EXPECT_EQ(scan.statistics.new_unit_models, 2);
  EXPECT_EQ(scan.statistics.flags, 2);
  EXPECT_EQ(scan.statistics.replaceable_units, 18);
  EXPECT_EQ(scan.statistics.new_units, 62);
}

TEST(LibraryScan, WithoutLibraryFoldersEveryRowKeepsItsDefault) {
  TempFolder temp;
  OwnModel(temp, "DATA/Change/TR_tank/Alpha");
  // The current folder must not stand in for a missing data folder.
  OwnModel(temp, "New/AV_Biplane/Sopwith");
  const fs::path previous = fs::current_path();
  fs::current_path(temp.path());
  const CatalogueScan no_data = ScanCatalogue(fs::path());
  fs::current_path(previous);
  const CatalogueScan no_new = ScanCatalogue(temp / "DATA");

  for (const CatalogueScan* scan : {&no_data, &no_new}) {
    for (int kind = kAirUnits; kind <= kLandUnits; ++kind) {
      for (const GridRow& row : scan->grids[kind]) {
        EXPECT_EQ(row.pick_list, Names{"{None}"}) << row.key;
      }
    }
    EXPECT_EQ(scan->statistics.new_unit_models, 0);
  }
  EXPECT_FALSE(no_data.grids[kStandardUnits][14].HasChoice());
  EXPECT_TRUE(no_new.grids[kStandardUnits][14].HasChoice());
}

TEST(AcceptedValue, TakesOnlyWhatTheRowOffers) {
  const Names pick_list = {"{Standart}", "Alpha", "alpha", "Beta Two"};
  struct Case {
    const char* value;
    std::optional<std::string> accepted;
  } cases[] = {
      {"{Standart}", "{Standart}"}, {"Alpha", "Alpha"},          {"alpha", "alpha"},
      {"BETA TWO", "Beta Two"},     {"{None}", std::nullopt},    {"Gamma", std::nullopt},
      {"", std::nullopt},           {"..\\Alpha", std::nullopt}, {"Alpha\\..\\Alpha", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(AcceptedValue(pick_list, c.value), c.accepted) << c.value;

  TempFolder temp;
  OwnModel(temp, "DATA/Change/TR_tank/My Tank-2");
  temp.Write("DATA/Change/TR_tank/Broken/InfoEng.txt", "x");
  OwnModel(temp, "DATA/Change/AV_Fighter/Spitfire");
  const fs::path data = temp / "DATA";
  EXPECT_EQ(AcceptedValue(data, kStandardUnits, 15, "my tank-2"), "My Tank-2");
  EXPECT_EQ(AcceptedValue(data, kStandardUnits, 15, "Broken"), std::nullopt);
  EXPECT_EQ(AcceptedValue(data, kStandardUnits, 15, "..\\AV_Fighter\\Spitfire"), std::nullopt);
  EXPECT_EQ(AcceptedValue(data, kStandardUnits, 15, "{Standart}"), "{Standart}");
  EXPECT_EQ(AcceptedValue(data, kStandardUnits, 1, "My Tank-2"), std::nullopt);
  EXPECT_EQ(AcceptedValue(data, kStandardUnits, 19, "{Standart}"), std::nullopt);
}

}  // namespace
}  // namespace catalogue
