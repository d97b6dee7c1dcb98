#include "shell/settings_service.h"

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "tests/support/temp_folder.h"

namespace shell {
namespace {

class SettingsServiceTest : public ::testing::Test {
 protected:
  SettingsServiceTest()
      : service_([this] { return folder_.path(); },
                 [this](platform::WindowRef, int repairs, int reads) {
                   notices_.emplace_back(repairs, reads);
                 }) {}

  platform::IniFile File(const char* name) const { return platform::IniFile::Load(folder_ / name); }

  testing_support::TempFolder folder_;
  std::vector<std::pair<int, int>> notices_;
  SettingsService service_;
};

TEST_F(SettingsServiceTest, OutOfRangeIntegerIsRepairedAndReported) {
  folder_.Write("UAUSettings.ini", "[Main]\r\nVersion=1\r\n[Settings]\r\nInterval=9\r\n");
  ASSERT_TRUE(service_.OpenForReading("UAUSettings", "1"));
  EXPECT_EQ(service_.ReadInteger("Settings", "Interval", 2, 0, 6), 0);
  EXPECT_EQ(service_.ReadInteger("Settings", "Free", 4, -1, -1), 4);  // missing: written, repaired
  service_.Close(0);
  EXPECT_EQ(notices_, (std::vector<std::pair<int, int>>{{2, 2}}));
  const auto file = File("UAUSettings.ini");
  EXPECT_EQ(file.Get("Settings", "Interval"), "2");
  EXPECT_EQ(file.Get("Settings", "Free"), "4");
  EXPECT_TRUE(file.Get("Main", "Date").has_value());
}

TEST_F(SettingsServiceTest, ExpectedMissingTextIsWrittenWithoutARepair) {
  folder_.Write("ULangSettings.ini", "[Main]\r\n");
  ASSERT_TRUE(service_.OpenForReading("ULangSettings", "1.0"));
  bool missing_expected = true;
  EXPECT_EQ(service_.ReadText("Settings", "Language", "Russian", missing_expected), "Russian");
  EXPECT_TRUE(missing_expected);
  bool present = true;
  EXPECT_EQ(service_.ReadText("Main", "Version", "x", present), "1.0");  // set on open
  EXPECT_FALSE(present);
  service_.Close(0);
  EXPECT_TRUE(notices_.empty());
  EXPECT_EQ(File("ULangSettings.ini").Get("Settings", "Language"), "Russian");
}

TEST_F(SettingsServiceTest, WithoutAFileEveryReadGivesItsDefault) {
  EXPECT_FALSE(service_.OpenForReading("Missing", "1"));
  bool flag = true;
  EXPECT_EQ(service_.ReadInteger("S", "K", 3, 0, 6), 3);
  EXPECT_EQ(service_.ReadText("S", "K", "d", flag), "d");
  EXPECT_FALSE(flag);
  EXPECT_TRUE(service_.ReadBoolean("S", "K", true));
  service_.Close(0);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Missing.ini"));
}

TEST_F(SettingsServiceTest, WritesTheMainSectionAndQuotedTexts) {
  ASSERT_TRUE(service_.CreateForWriting("UACSettings", "1.1", "Vornak Check Settings"));
  service_.WriteText("Settings", "Name", " padded ");
  service_.WriteBoolean("Settings", "On", true);
  service_.WriteInteger("Settings", "N", -3);
  service_.Close(0);
  const auto file = File("UACSettings.ini");
  EXPECT_EQ(file.Get("Main", "File"), "<Vornak Check Settings>");
  EXPECT_EQ(file.Get("Main", "Version"), "1.1");
  EXPECT_EQ(file.Get("Settings", "Name"), " padded ");
  EXPECT_EQ(file.Get("Settings", "On"), "1");
  EXPECT_EQ(service_.DiagnosticDump(),
            "\r\nUACSettings Name \" padded \"\r\nUACSettings On \"-1\"\r\nUACSettings N \"-3\"");
}

TEST_F(SettingsServiceTest, AStemSeenBeforeUpdatesItsEntriesInTheDump) {
  ASSERT_TRUE(service_.CreateForWriting("A", "1", "A"));
  service_.WriteInteger("S", "K", 1);
  service_.WriteInteger("S", "K", 2);  // a stem new in this run appends
  service_.Close(0);
  ASSERT_TRUE(service_.OpenForReading("A", "1"));
  EXPECT_EQ(service_.ReadInteger("S", "K", 0, 0, 10), 2);  // replaces the first entry
  service_.Close(0);
  EXPECT_EQ(service_.DiagnosticDump(), "\r\nA K \"2\"\r\nA K \"2\"");
}

}  // namespace
}  // namespace shell
