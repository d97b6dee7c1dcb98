#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

constexpr std::string_view kSample =
    "; a comment\r\n"
    "[Main]\r\n"
    "File=<Vornak Settings File>\r\n"
    "  Version = \"01.00\"  \r\n"
    "odd line without equals\r\n"
    "\r\n"
    "[settings]\r\n"
    "AutoConfig=1\r\n"
    "autoconfig=0\r\n"
    "Path='C:\\Games'\r\n"
    "Hex=$1F\r\n"
    "[MAIN]\r\n"
    "Extra=from the second Main\r\n";

TEST(IniFile, ReadsWithProfileSemantics) {
  const IniFile ini = IniFile::Parse(kSample);
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  } cases[] = {
      {"main", "FILE", "<Vornak Settings File>"},
      {"Main", "Version", "01.00"},       // trimmed, quotes stripped
      {"Settings", "AutoConfig", "1"},    // first match wins
      {"Settings", "Path", "C:\\Games"},  // single quotes too
      {"Main", "Extra", std::nullopt},    // only the first section of a name counts
      {"Main", "odd line without equals", std::nullopt},
      {"Nowhere", "File", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ini.Get(c.section, c.key), c.value) << c.section << "/" << c.key;
  }
  EXPECT_EQ(ini.GetInt("Settings", "Hex", 0), 31);
  EXPECT_EQ(ini.GetInt("Main", "File", -5), -5);  // not a number: the default
  EXPECT_TRUE(ini.GetBool("Settings", "AutoConfig", false));
  EXPECT_TRUE(ini.GetBool("Settings", "Missing", true));
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Main", "settings"}));
  EXPECT_EQ(ini.Keys("SETTINGS"), (std::vector<std::string>{"AutoConfig", "Path", "Hex"}));
}

TEST(IniFile, UnchangedDocumentRoundTripsByteForByte) {
  EXPECT_EQ(IniFile::Parse(kSample).Serialize(), kSample);
}

TEST(IniFile, WritesChangeOnlyWhatIsSet) {
  IniFile ini = IniFile::Parse(kSample);
  ini.Set("MAIN", "version", "02.00");    // replaced in place, the file's spelling kept
  ini.Set("Main", "Date", "11.12.2026");  // appended after the last non-blank line of Main
  ini.Set("New", "Key", "v");             // new section at the end
  ini.DeleteKey("settings", "Hex");
  EXPECT_EQ(ini.Serialize(),
            "; a comment\r\n"
            "[Main]\r\n"
            "File=<Vornak Settings File>\r\n"
            "Version=02.00\r\n"
            "odd line without equals\r\n"
            "Date=11.12.2026\r\n"
            "\r\n"
            "[settings]\r\n"
            "AutoConfig=1\r\n"
            "autoconfig=0\r\n"
            "Path='C:\\Games'\r\n"
            "[MAIN]\r\n"
            "Extra=from the second Main\r\n"
            "[New]\r\n"
            "Key=v\r\n");
}

TEST(IniFile, SavesAtomicallyAndReadsLfFiles) {
  testing_support::TempFolder folder;
  const auto path = folder.Write("a.ini", "[S]\nK=old\n");
  IniFile ini = IniFile::Load(path);
  EXPECT_EQ(ini.Get("s", "k"), "old");
  ini.Set("S", "K", "new");
  ini.Save(path);
  EXPECT_EQ(folder.Read("a.ini"), "[S]\r\nK=new\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
  EXPECT_TRUE(IniFile::Load(folder / "missing.ini").lines().empty());
}

TEST(ParseIniInteger, FollowsTheLibraryConversion) {
  EXPECT_EQ(ParseIniInteger("0x10"), 16);
  EXPECT_EQ(ParseIniInteger("-$10"), -16);
  EXPECT_EQ(ParseIniInteger("12abc"), std::nullopt);
  EXPECT_EQ(ParseIniInteger("-9223372036854775808"), INT64_MIN);
}

}  // namespace
}  // namespace platform
