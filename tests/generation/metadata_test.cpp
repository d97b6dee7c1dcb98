#include "generation/metadata_stages.h"

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "xmlengine/engine.h"

namespace generation {
namespace {

using config::OptionSnapshot;

std::string Head() {
  std::string head = "<?xml version=\"1.0\"?>\r\n";
  for (const auto line : xmlengine::kEditHeader) head += std::string(line) + "\r\n";
  return head +
         "<!-- Global Defines -->\r\n"
         "<Civ4Defines xmlns=\"x-schema:CIV4GlobalDefinesSchema.xml\">\r\n";
}

std::string Define(const std::string& name, const std::string& value) {
  return "                   <Define>\r\n"
         "                                      <DefineName>" +
         name +
         "</DefineName>\r\n"
         "                                      <iDefineIntVal>" +
         value +
         "</iDefineIntVal>\r\n"
         "                   </Define>\r\n";
}

std::string NoInsert(std::string_view) { return ""; }

std::string Golden(std::string_view name) {
  const auto bytes = platform::ReadFileBytes(std::filesystem::path(GENERATION_TEST_DATA) / name);
  EXPECT_TRUE(bytes) << name;
  return bytes.value_or("");
}

TEST(DescriptionFile, MatchesItsGolden) {
  EXPECT_EQ(DescriptionFileText(), Golden("description.ini"));
}

// Whole files for a few option states. Every option in a state holds a value of its own, so an
// option that feeds its neighbour's define, or two blocks that trade places, show.
TEST(GlobalDefines, WholeFilesMatchTheirGoldens) {
  const std::vector<std::string> dll_variants = {"Evolution of War", "RevolutionDCM"};
  struct Case {
    const char* golden;
    std::vector<std::pair<int, int>> options;
    int dll_variant;  // -1: no DLL component
  } cases[] = {
      {"global_defines_every_number.xml",
       {{50, 4},
        {32, 5},
        {33, 7},
        {34, 20},
        {42, 1},
        {35, 30},
        {52, 3},
        {21, 1},
        {54, 55},
        {53, 45},
        {36, 150},
        {51, 6},
        {110, 1},
        {111, 1}},
       -1},
      {"global_defines_revdcm.xml", {{53, 40}}, 1},
      {"global_defines_eow_a.xml", {{68, 9}, {69, 1}, {71, 1}, {73, 1}, {128, 1}, {129, 1}}, 0},
      {"global_defines_eow_b.xml", {{70, 1}, {72, 1}, {77, 1}, {127, 1}}, 0},
  };
  const auto insert = [](std::string_view file) -> std::string {
    if (file == "XML\\Slow Heals\\GlobalDefinesAlt.ini") return "<!-- Slow Heals insert -->\n";
    if (file == "XML\\Religions\\GlobalDefinesAlt.ini") return "<!-- Religions insert -->\r\n";
    if (file == "XML\\EoW\\GlobalDefinesAlt.ini") return "<!-- EoW insert -->";
    if (file == "XML\\RevolutionDCM\\GlobalDefinesAlt.ini")
      return "<!-- RevolutionDCM insert -->\r\n";
    return "<!-- unexpected " + std::string(file) + " -->\r\n";
  };
  for (const Case& c : cases) {
    auto builder = OptionSnapshot::Builder::InitialState();
    for (auto [key, value] : c.options) builder.Option(key, value);
    if (c.dll_variant >= 0) builder.Option(58, 1).List("NTCListBox3", c.dll_variant, dll_variants);
    EXPECT_EQ(GlobalDefinesText(builder.Build(), insert), Golden(c.golden)) << c.golden;
  }
}

TEST(GlobalDefines, StandardOptionsGiveOnlyTheTwoFixedDefines) {
  const OptionSnapshot options = OptionSnapshot::Builder::InitialState().Build();
  EXPECT_EQ(GlobalDefinesText(options, NoInsert), Head() + Define("MAX_NUM_LANGUAGES", "6") +
                                                      Define("MINIMAP_RENDER_SIZE", "256") +
                                                      "</Civ4Defines>\r\n");
}

TEST(GlobalDefines, OptionsAwayFromTheGameValuesAddTheirDefines) {
  auto builder = OptionSnapshot::Builder::InitialState();
  builder.Option(50, 3).Option(42, 1).Option(110, 1);
  const std::string text = GlobalDefinesText(builder.Build(), [](std::string_view file) {
    return file == "XML\\Slow Heals\\GlobalDefinesAlt.ini" ? std::string("<!-- slow -->\n") : "";
  });
  EXPECT_NE(text.find(Define("MIN_CITY_RANGE", "3")), std::string::npos);
  EXPECT_NE(text.find(Define("GLOBAL_WARMING_NUKE_WEIGHT", "0")), std::string::npos);
  EXPECT_NE(text.find("<!-- slow -->\r\n</Civ4Defines>"), std::string::npos);
  EXPECT_EQ(text.find("MAX_NATIONAL_WONDERS_PER_CITY"), std::string::npos);
}

TEST(GlobalDefines, EvolutionOfWarWritesItsDefinesAlways) {
  auto builder = OptionSnapshot::Builder::InitialState();
  builder.Option(58, 1).Option(129, 1);
  builder.List("NTCListBox3", 0, {"Evolution of War", "RevolutionDCM"});
  const std::string text = GlobalDefinesText(builder.Build(), NoInsert);
  EXPECT_NE(text.find("<DefineName>FORT_AIR_UNIT_CAPACITY</DefineName>"), std::string::npos);
  EXPECT_NE(text.find("<iDefineIntVal>4</iDefineIntVal>"), std::string::npos);
  EXPECT_NE(text.find(Define("TECH_COST_EXTRA_TEAM_MEMBER_MODIFIER", "0")), std::string::npos);
  EXPECT_NE(text.find("<fDefineFloatVal>5000</fDefineFloatVal>"), std::string::npos);
}

TEST(ShortcutName, IsTheFolderName) {
  EXPECT_EQ(ShortcutName("Vornak.TQ 1.5.0"), "Vornak.TQ 1.5.0");
  EXPECT_EQ(ShortcutName("My Mod"), "My Mod");
}

}  // namespace
}  // namespace generation
