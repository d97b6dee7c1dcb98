#include "shell/program_settings.h"

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "platform/paths.h"
#include "tests/support/temp_folder.h"
#include "tools/pe_writer/pe_writer.h"

namespace shell {
namespace {

std::string Game(const testing_support::TempFolder& root, const char* relative,
                 const char* version = "3, 1, 9, 0, (128100)") {
  tools::PeVersionOptions options;
  options.file_version = version;
  root.Write(std::string(relative) + "/Civ4BeyondSword.exe", tools::BuildPeWithVersion(options));
  return (root / relative).string();
}

class ProgramSettingsTest : public ::testing::Test {
 protected:
  ProgramSettings Read() {
    return ReadProgramSettings(
        file_, lookup_, [this](int repairs, int reads) { notices_.emplace_back(repairs, reads); });
  }
  testing_support::TempFolder root_;
  std::filesystem::path file_ = root_ / "Program/Settings/Vornak.ini";
  GameLookup lookup_;
  std::vector<std::pair<int, int>> notices_;
};

TEST_F(ProgramSettingsTest, AFileWithOnlyMainIsRepairedFiveTimes) {
  root_.Write("Program/Settings/Vornak.ini", "[Main]\r\nFile=<Vornak Settings File>\r\n");
  const ProgramSettings settings = Read();
  EXPECT_EQ(notices_, (std::vector<std::pair<int, int>>{{5, 5}}));
  EXPECT_TRUE(settings.auto_config);
  const auto ini = platform::IniFile::Load(file_);
  EXPECT_EQ(ini.Get("Main", "Version"), "01.00");
  EXPECT_EQ(ini.Get("Main", "ProgramVersion"), "1.5.0.2k.lang");
  EXPECT_EQ(ini.Get("Settings", "AutoConfig"), "1");
  EXPECT_FALSE(ini.Get("Settings", "PatchToGameDir"));  // missing texts are counted, not written
}

TEST_F(ProgramSettingsTest, StoredValuesAreTakenWhenTheyHoldTheGame) {
  const std::string game = Game(root_, "Games/BTS");  // stored without a final separator
  root_.Write("Docs/CivilizationIV.ini", "");
  root_.Write("Program/Settings/Vornak.ini",
              "[Settings]\r\nAutoConfig=0\r\nInfoLang=7\r\nPatchToGameDir=" + game +
                  "\r\nPatchToSettingsDir=" + (root_ / "Docs").string() + "\r\nNifSkopePatch=\r\n");
  const ProgramSettings settings = Read();
  EXPECT_TRUE(notices_.empty());
  EXPECT_FALSE(settings.auto_config);
  EXPECT_EQ(settings.info_lang, 0);  // out of range, not counted as a repair
  EXPECT_EQ(settings.game_folder, game);
  EXPECT_EQ(settings.game_settings_folder, (root_ / "Docs").string());
}

TEST_F(ProgramSettingsTest, AMissingFileFindsTheGameInTheRegistryOrTheDefaultPlaces) {
  const std::string game = Game(root_, "Firaxis/BTS");
  lookup_.registry.WriteString(
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Firaxis Games\\Sid Meier's Civilization 4 - Beyond the Sword",
      "INSTALLDIR", game);
  lookup_.documents = root_ / "Documents";
  root_.Write("Documents/My Games/Beyond the Sword/CivilizationIV.ini", "");
  const ProgramSettings settings = Read();
  EXPECT_EQ(settings.game_folder, game);
  EXPECT_EQ(settings.game_settings_folder,
            (root_ / "Documents/My Games/Beyond the Sword").string());
  EXPECT_TRUE(notices_.empty());

  lookup_.registry = {};
  lookup_.program_files = root_ / "Programs";
  const std::string fallback = Game(root_, "Programs/Civilization 4/Beyond the Sword");
  EXPECT_EQ(Read().game_folder, (root_ / "Programs").string() + "/Civilization 4/Beyond the Sword");
  (void)fallback;
}

TEST_F(ProgramSettingsTest, IsWrittenInItsFixedOrder) {
  ProgramSettings settings;
  settings.info_lang = 1;
  settings.game_folder = "/g/";
  WriteProgramSettings(file_, settings);
  const auto lines = platform::IniFile::Load(file_).lines();
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0], "[Main]");
  EXPECT_EQ(lines[1], "File=<Vornak Settings File>");
  EXPECT_EQ(lines[3], "ProgramVersion=1.5.0.2k.lang");
  EXPECT_TRUE(lines[4].starts_with("Date="));
  EXPECT_EQ(lines[5], "[Settings]");
  EXPECT_EQ(lines[6], "AutoConfig=1");
  EXPECT_EQ(lines[7], "InfoLang=1");
  EXPECT_EQ(lines[8], "PatchToGameDir=/g/");
  EXPECT_EQ(lines[10], "NifSkopePatch=");
}

TEST(GameVersion, OnlyTheDllVersionAllowsTheComponents) {
  testing_support::TempFolder root;
  EXPECT_TRUE(GameAllowsDllComponents(Game(root, "ok")));
  EXPECT_TRUE(GameAllowsDllComponents(Game(root, "ok") + "/"));
  EXPECT_FALSE(GameAllowsDllComponents(Game(root, "old", "3, 1, 7, 0, (128100)")));
  EXPECT_FALSE(GameAllowsDllComponents((root / "none").string()));
  EXPECT_FALSE(GameAllowsDllComponents(""));
  EXPECT_EQ(NormalizeGameVersion("3, 1, 9, 0 , (128100)"), "3.1.9.0.(128100)");
}

TEST(FindMarkerFolder, CorrectsAFolderOneLevelOff) {
  testing_support::TempFolder root;
  const std::string game = Game(root, "Civ4/Beyond the Sword");
  EXPECT_EQ(FindMarkerFolder(game, kGameExecutable), game);
  EXPECT_EQ(FindMarkerFolder((root / "Civ4").string(), kGameExecutable), game);  // one too high
  root.Write("Civ4/Beyond the Sword/Mods/readme.txt", "");
  EXPECT_EQ(FindMarkerFolder(game + "/Mods", kGameExecutable), game);  // one too deep
  EXPECT_EQ(FindMarkerFolder((root / "elsewhere").string(), kGameExecutable), std::nullopt);
}

TEST(ViewerLookup, TakesTheOpenCommandWithoutArgumentsOrQuotes) {
  platform::RegistryData registry;
  registry.WriteString("HKEY_CLASSES_ROOT\\.nif", "", "NifFile");
  registry.WriteString("HKEY_CLASSES_ROOT\\NifFile\\shell\\open\\command", "",
                       "\"C:\\Tools\\NifSkope.exe\" \"%1\"");
  EXPECT_EQ(ViewerLookup("nif", registry), "C:\\Tools\\NifSkope.exe");
  registry.WriteString("HKEY_CLASSES_ROOT\\.nif\\shell\\open\\command", "", "viewer.exe %1");
  EXPECT_EQ(ViewerLookup("nif", registry), "viewer.exe");
  EXPECT_EQ(ViewerLookup("kfm", registry), "");
}

}  // namespace
}  // namespace shell
