#include "shell/data_locations.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace shell {
namespace {

class DataLocationsTest : public ::testing::Test {
 protected:
  DataLocations Make() const {
    return DataLocations(root_ / "Program", root_ / "AppData/Vornak.TQ", root_ / "tmp");
  }
  testing_support::TempFolder root_;
};

TEST_F(DataLocationsTest, WritableProgramFolderIsUsedAndLeftClean) {
  DataLocations locations = Make();
  locations.SetUp();
  EXPECT_FALSE(locations.use_app_data());
  EXPECT_EQ(locations.SettingsFolder(), root_ / "Program/Settings");
  EXPECT_EQ(locations.CountersFolder(), root_ / "Program/Resource");
  EXPECT_EQ(locations.DataRootItem("ErrorLog"), root_ / "Program/ErrorLog");
  EXPECT_EQ(locations.TempFile("_CAC_Ready"), root_ / "tmp/VKAutoC150_CAC_Ready");
  EXPECT_EQ(locations.LocationLabel(), "");
  EXPECT_FALSE(std::filesystem::exists(root_ / "Program/Resource/test.ini"));
  EXPECT_EQ(locations.DiagnosticLines(), "\r\nMustSetFilesInAppData \"0\"\r\nUseAppData \"0\"");
}

TEST_F(DataLocationsTest, UpdateSettingsInThePerUserFolderSwitchToIt) {
  root_.Write("AppData/Vornak.TQ/UAUSettings.ini", "[Main]\r\n");
  DataLocations locations = Make();
  locations.SetUp();
  EXPECT_FALSE(locations.must_set_files_in_app_data());
  EXPECT_TRUE(locations.use_app_data());
  EXPECT_EQ(locations.SettingsFolder(), root_ / "AppData/Vornak.TQ");
  EXPECT_EQ(locations.LocationLabel(), "AppData");
}

TEST_F(DataLocationsTest, ReadOnlyProgramFolderCopiesCountersAndSettingsOnceWithoutReplacing) {
  root_.Write("Program/Resource/LCounter.ini", "h\r\n5\r\n");
  root_.Write("Program/Resource/TNCounter.ini", "not copied\r\n");
  root_.Write("Program/Settings/Vornak.ini", "[Main]\r\n");
  root_.Write("Program/Settings/Sub/ULangSettings.ini", "[Settings]\r\n");
  const auto read_only = [](const std::filesystem::path&) { return false; };

  DataLocations first = Make();
  first.SetUp(read_only);
  EXPECT_TRUE(first.must_set_files_in_app_data());
  EXPECT_TRUE(first.use_app_data());
  EXPECT_EQ(root_.Read("AppData/Vornak.TQ/LCounter.ini"), "h\r\n5\r\n");
  EXPECT_EQ(root_.Read("AppData/Vornak.TQ/Sub/ULangSettings.ini"), "[Settings]\r\n");
  EXPECT_FALSE(std::filesystem::exists(root_ / "AppData/Vornak.TQ/TNCounter.ini"));

  root_.Write("AppData/Vornak.TQ/LCounter.ini", "h\r\n6\r\n");  // counted in the per-user folder
  DataLocations second = Make();
  second.SetUp(read_only);
  EXPECT_EQ(root_.Read("AppData/Vornak.TQ/LCounter.ini"), "h\r\n6\r\n");
}

}  // namespace
}  // namespace shell
