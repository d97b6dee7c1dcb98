#include "config/configuration_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_io.h"
#include "platform/text.h"
#include "tests/config/rules_fixture.h"
#include "tests/support/temp_folder.h"

namespace config_test {
namespace {

using config::CurrentConfiguration;
using testing_support::TempFolder;

TEST(ConfigurationNamesTest, ExtensionRule) {
  const std::pair<const char*, const char*> cases[] = {
      {"Config", "Config.vkm"},
      {"Config.vkm", "Config.vkm"},
      {"Config.VKM", "Config.VKM"},
      {"Config.Vkm", "Config.Vkm"},
      {"Config.txt", "Config.txt.vkm"},
      {"my.settings", "my.settings.vkm"},
      {"Config[05.17.26]", "Config[05.17.26].vkm"},  // the points of the date are no extension
      {"dir.d/Config", "dir.d/Config.vkm"},
  };
  for (const auto& [chosen, expected] : cases) {
    EXPECT_EQ(config::WithConfigurationExtension(chosen).string(), expected) << chosen;
  }
}

TEST(ConfigurationNamesTest, ProposedNameAndFolders) {
  EXPECT_EQ(config::ProposedConfigurationName({2026, 5, 17, 9, 30, 0}), "Config[05.17.26]");
  EXPECT_EQ(config::ProposedConfigurationName({2009, 12, 1, 0, 0, 0}), "Config[12.01.09]");
  TempFolder program;
  EXPECT_EQ(config::ConfigurationFolder(program.path()), program / "Config");
  EXPECT_TRUE(platform::IsDirectory(program / "Config"));
  EXPECT_EQ(config::AutoConfigurationPath(program.path()),
            program.path() / "Settings" / "AutoConfig.vkm");
}

TEST(ConfigurationNamesTest, ReplacingAnExistingFileIsAsked) {
  TempFolder folder;
  platform::ScriptedDialogs dialogs;
  EXPECT_TRUE(config::ConfirmReplace(dialogs, folder / "New.vkm"));
  EXPECT_TRUE(dialogs.shown().empty());

  folder.Write("Old.vkm", "");
  dialogs.QueueAnswer(platform::kIdNo);
  EXPECT_FALSE(config::ConfirmReplace(dialogs, folder / "Old.vkm"));
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, platform::Ansi("Файл уже существует. Заменить?"));
  EXPECT_EQ(dialogs.shown()[0].caption, platform::Ansi("Предупреждение"));
  EXPECT_EQ(dialogs.shown()[0].flags, platform::kMbYesNo | platform::kMbIconExclamation);
  dialogs.QueueAnswer(platform::kIdYes);
  EXPECT_TRUE(config::ConfirmReplace(dialogs, folder / "Old.vkm"));
}

class ConfigurationCommandsTest : public RulesFixture {
 public:
  TempFolder program_;
  config::ReadContext context_{config::FolderAcceptor(program_ / "DATA"), {}};
};

TEST_F(ConfigurationCommandsTest, SaveAsAppendsTheExtensionAndMakesTheFileCurrent) {
  Click(6, true);
  const auto written = config::SaveConfigurationAs(controls_, program_ / "Config" / "Mine");
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, program_ / "Config" / "Mine.vkm");
  EXPECT_EQ(CurrentConfiguration().current_file, *written);
  EXPECT_NE(program_.Read("Config/Mine.vkm").find("6=1\r\n"), std::string::npos);
}

TEST_F(ConfigurationCommandsTest, LoadingWithdrawsADllComponentTheGameDoesNotAllow) {
  const auto path =
      program_.Write("Config/Dll.vkm", "[Settings other options]\r\n58=1\r\n70=1\r\n");
  EXPECT_TRUE(config::LoadConfiguration(rules_, path, context_, "3.1.7.0.(128100)"));
  EXPECT_EQ(CurrentConfiguration().current_file, path);
  EXPECT_FALSE(On(58));
  EXPECT_FALSE(Enabled(58));
  EXPECT_TRUE(On(70));
  EXPECT_EQ(controls_.PageIndex(config::kDllPages), config::kWrongGameVersionPage);

  rules_.GameVersionCheck("3.1.9.0.(128100)");
  EXPECT_TRUE(config::LoadConfiguration(rules_, path, context_, "3.1.9.0.(128100)"));
  EXPECT_TRUE(On(58));
  EXPECT_EQ(controls_.PageIndex(config::kDllPages), config::kDllModPage);
}

TEST_F(ConfigurationCommandsTest, AutomaticConfigurationKeepsTheOptionsBetweenRuns) {
  EXPECT_FALSE(config::LoadAutoConfiguration(rules_, program_.path(), context_));  // first run

  Click(42, true);
  Type(50, "3");
  ASSERT_TRUE(config::SaveAutoConfiguration(controls_, program_.path()));
  EXPECT_EQ(CurrentConfiguration().current_file, program_ / "Settings" / "AutoConfig.vkm");

  FakeControls next_controls = MainWindowControls();
  config::OptionRules next_rules(next_controls);
  next_rules.InitialiseControls();
  ASSERT_TRUE(config::LoadAutoConfiguration(next_rules, program_.path(), context_));
  EXPECT_EQ(next_controls.Dump(), controls_.Dump());
}

}  // namespace
}  // namespace config_test
