#include "generation/metadata_stages.h"

#include <gtest/gtest.h>

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

TEST(DescriptionFile, IsFixedText) {
  const std::string text = DescriptionFileText();
  EXPECT_TRUE(
      text.starts_with("[CONFIG]\r\n\r\n; Read Game options from XML, not .ini\r\n"
                       "ForceGameOptions = 0\r\n\r\n; Modular XML Loading\r\n"));
  EXPECT_NE(
      text.find("\r\n; Allow public maps to be used with this mod\r\nAllowPublicMaps = 1\r\n\r\n"),
      std::string::npos);
  EXPECT_TRUE(
      text.ends_with("\r\n; Mod Image file\r\nImageFile = 0\r\n\r\n; Name of Mod\r\n"
                     "Name = Vornak.TQ 1.5.0\r\n"));
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
