// The catalogue over the sample DATA folder of the repository: what the main window shows when it
// runs on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "catalogue/component_packs.h"
#include "catalogue/description_panel.h"
#include "catalogue/library_scan.h"
#include "catalogue/loading_screens.h"
#include "catalogue/model_library.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace catalogue {
namespace {

using platform::Ansi;
using Names = std::vector<std::string>;

const fs::path kData = VORNAK_SAMPLE_DATA;

TEST(SampleData, OffersItsValidModelsAndFlags) {
  const CatalogueScan scan = ScanCatalogue(kData);
  struct Case {
    int kind;
    int row;
    Names pick_list;
  } cases[] = {
      {kStandardUnits, 1, {"{Standart}", Ansi("Ястреб")}},
      {kStandardUnits, 5, {"{Standart}", "Escort"}},
      {kStandardUnits, 15, {"{Standart}", "My Tank-2"}},
      {kStandardUnits, 16, {"{Standart}", "Standard Armor"}},
      {kAirUnits, 1, {"{None}", "Sopwith"}},
      {kAirUnits, 2, {"{None}", "Sopwith Bomber"}},
      {kSeaUnits, 3, {"{None}", "Ironclad"}},
      {kLandUnits, 4, {"{None}", "Renault"}},
      {kLandUnits, 23, {"{None}", "Heavy-Tank 2"}},
      {kCivilizations, 1, {"{Standart}", "Imperial", Ansi("Триколор")}},
      {kCivilizations, 40, {"{Standart}", "Maple"}},
  };
  int rows_with_choice = 0;
  for (const auto& rows : scan.grids) {
    for (const GridRow& row : rows) rows_with_choice += row.HasChoice();
  }
  EXPECT_EQ(rows_with_choice, static_cast<int>(std::size(cases)));
  for (const auto& c : cases) {
    EXPECT_EQ(scan.grids[c.kind][c.row - 1].pick_list, c.pick_list) << c.kind << "/" << c.row;
  }
  EXPECT_EQ(scan.statistics.replacement_models, 2);
  EXPECT_EQ(scan.statistics.new_unit_models, 3);
  EXPECT_EQ(scan.statistics.flags, 3);
}

TEST(SampleData, HasThePacksScreensAndStatisticsFiles) {
  for (const PackOptionState& state : PackOptionStates(kData)) {
    EXPECT_EQ(state.enabled, state.check_box == "CheckBox26") << state.check_box;
  }
  EXPECT_EQ(ScanLoadingScreens(kData), (Names{"harbour", "Steppe", "Winter Front"}));
  for (const std::string& name : ScanLoadingScreens(kData)) {
    const auto preview = platform::ReadFileBytes(LoadingScreenPreview(kData, name));
    ASSERT_TRUE(preview) << name;
    EXPECT_EQ(preview->substr(0, 2), "\xFF\xD8") << name;  // a JPEG
  }
  EXPECT_FALSE(ReadFirstLine(kData / "DataVersion.ini").empty());
  EXPECT_EQ(ReadFirstLine(kData / "XML/Civ4_XML_Version.ini"), "3.19");

  int logos = 0;
  for (const auto& entry : fs::directory_iterator(kData / "Interface/LogoImages")) {
    if (!platform::EqualsNoCase(entry.path().extension().string(), ".bmp")) continue;
    const std::string bmp = platform::ReadFileBytes(entry.path()).value_or("");
    ASSERT_GE(bmp.size(), 30u);
    const auto le32 = [&](size_t at) {
      return static_cast<uint32_t>(static_cast<unsigned char>(bmp[at])) |
             static_cast<uint32_t>(static_cast<unsigned char>(bmp[at + 1])) << 8 |
             static_cast<uint32_t>(static_cast<unsigned char>(bmp[at + 2])) << 16 |
             static_cast<uint32_t>(static_cast<unsigned char>(bmp[at + 3])) << 24;
    };
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(le32(18), 1000u);
    EXPECT_EQ(le32(22), 100u);
    EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);
    ++logos;
  }
  EXPECT_GE(logos, 2);
}

TEST(SampleData, ReferencesLeadToExistingModels) {
  const auto heavy = ResolveModel(kData, kLandUnits, 23, "Heavy-Tank 2");
  ASSERT_TRUE(heavy);
  EXPECT_EQ(heavy->art_folder, "Art/Units/TR_tank_MyTank_2");
  EXPECT_TRUE(platform::IsFile(heavy->files_folder / "Individual.XML"));
  const auto bomber = ResolveModel(kData, kAirUnits, 2, "Sopwith Bomber");
  ASSERT_TRUE(bomber);
  EXPECT_EQ(bomber->art_folder, "Art/Units/AV_Biplane_Sopwith");
  EXPECT_EQ(bomber->files_folder, kData / "New/AV_Biplane/Sopwith");
}

DescriptionPanel Describe(int kind, int row, std::string value, int info_lang = 0,
                          bool viewer = true) {
  return DescribeSelection({kind, row, std::move(value), kData, info_lang, viewer});
}

std::string FileText(const fs::path& path) { return platform::ReadFileBytes(path).value_or("?"); }

TEST(DescriptionPanel, ShowsTheFixedTextsForTheDefaults) {
  const DescriptionPanel standard = Describe(kStandardUnits, 15, "{Standart}");
  EXPECT_EQ(standard.text, "Standart model of Civ IV");
  EXPECT_TRUE(standard.pictures.empty());
  EXPECT_FALSE(standard.preview_enabled);
  EXPECT_EQ(standard.model_folder, fs::path());
  EXPECT_FALSE(standard.unit_info_enabled);

  const DescriptionPanel none = Describe(kAirUnits, 1, "{None}");
  EXPECT_EQ(none.text, "Disabled");
  EXPECT_TRUE(none.pictures.empty());
  EXPECT_FALSE(none.preview_enabled);
  // The unit's long description is there whatever the row holds.
  EXPECT_EQ(none.unit_info_file, kData / "New/AV_Biplane/InfoBigEng.txt");
  EXPECT_TRUE(none.unit_info_enabled);
  EXPECT_EQ(Describe(kAirUnits, 2, "{None}").unit_info_file,
            kData / "New/AV_BiplaneBomber/InfoBigRus.txt");
  EXPECT_FALSE(Describe(kAirUnits, 3, "{None}").unit_info_enabled);

  const DescriptionPanel flag = Describe(kCivilizations, 1, "{Standart}");
  EXPECT_EQ(flag.text, "");
  EXPECT_TRUE(flag.pictures.empty());
}

TEST(DescriptionPanel, ShowsTheChosenModelAndEnablesThePreview) {
  const fs::path tank = kData / "Change/TR_tank/My Tank-2";
  const DescriptionPanel russian = Describe(kStandardUnits, 15, "My Tank-2", 1);
  EXPECT_EQ(russian.pictures, std::vector<fs::path>{tank / "Image.JPG"});
  EXPECT_EQ(russian.text, FileText(tank / "InfoRus.txt"));
  EXPECT_FALSE(russian.text_missing);
  EXPECT_EQ(russian.model_folder, tank);
  EXPECT_TRUE(russian.preview_enabled);
  EXPECT_FALSE(Describe(kStandardUnits, 15, "My Tank-2", 1, false).preview_enabled);
  EXPECT_FALSE(Describe(kStandardUnits, 16, "Standard Armor").preview_enabled);
  EXPECT_TRUE(Describe(kStandardUnits, 5, "Escort").preview_enabled);

  // Only a Russian description, file names in other letter cases.
  const fs::path sopwith = kData / "New/AV_Biplane/Sopwith";
  const DescriptionPanel english = Describe(kAirUnits, 1, "Sopwith", 0);
  EXPECT_EQ(english.pictures, std::vector<fs::path>{sopwith / "image.jpg"});
  EXPECT_EQ(english.text, FileText(sopwith / "inforus.TXT"));
  EXPECT_TRUE(english.preview_enabled);
  EXPECT_TRUE(english.unit_info_enabled);

  const fs::path tricolour = kData / "Art Flags/RUSSIA/Триколор";
  const DescriptionPanel flag = Describe(kCivilizations, 1, Ansi("Триколор"));
  EXPECT_EQ(flag.pictures,
            (std::vector<fs::path>{tricolour / "Image.JPG", tricolour / "ImageG.JPG"}));
  EXPECT_EQ(flag.text, FileText(tricolour / "InfoEng.txt"));
  EXPECT_FALSE(flag.preview_enabled);
}

TEST(DescriptionPanel, AValueThatNamesNoModelShowsNothing) {
  for (const char* value : {"Missing", "..\\AV_Fighter\\My Tank-2", ""}) {
    const DescriptionPanel panel = Describe(kStandardUnits, 15, value);
    EXPECT_EQ(panel.text, "") << value;
    EXPECT_TRUE(panel.text_missing) << value;
    EXPECT_FALSE(panel.preview_enabled) << value;
    for (const fs::path& picture : panel.pictures) EXPECT_FALSE(platform::IsFile(picture));
  }
  EXPECT_FALSE(Describe(kStandardUnits, 0, "My Tank-2").preview_enabled);
}

// A sample XML file that holds cp1251 bytes names its encoding: without it an XML reader takes the
// file as UTF-8, and the copy of it in a generated mod is not well-formed.
TEST(SampleData, XmlFilesWithCp1251TextDeclareTheirEncoding) {
  int checked = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kData)) {
    std::string extension = entry.path().extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!entry.is_regular_file() || extension != ".xml") continue;
    const std::string bytes = platform::ReadFileBytes(entry.path()).value_or("");
    if (!bytes.starts_with("<?xml")) continue;  // fragments and patch files are not documents
    const bool eight_bit = std::any_of(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (!eight_bit) continue;
    ++checked;
    const std::string declaration = bytes.substr(0, bytes.find('>') + 1);
    EXPECT_NE(declaration.find("encoding=\"windows-1251\""), std::string::npos)
        << entry.path() << ": " << declaration;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace catalogue
