#include "shell/start_up.h"

#include <gtest/gtest.h>

#include "errors/error_processor.h"
#include "platform/copy_list.h"
#include "platform/registry_store.h"
#include "shell/autostart.h"
#include "shell/usage_counters.h"
#include "tests/support/temp_folder.h"

namespace shell {
namespace {

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() {
    paths_.program_folder = root_ / "Program";
    paths_.executable = paths_.program_folder / "Vornak.TQ";
    paths_.per_user_folder = root_ / "AppData/Vornak.TQ";
    paths_.temp_folder = root_ / "tmp";
    std::filesystem::create_directories(paths_.program_folder);
  }
  testing_support::TempFolder root_;
  testing_support::ScopedEnv registry_{"OSTREL_REGISTRY", (root_ / "Registry.txt").c_str()};
  StartUpPaths paths_;
};

TEST_F(StartUpTest, CountsRegistersAndListsThePacks) {
  root_.Write("Program/Resource/TCounter.ini", "obsolete");
  root_.Write("Program/Resource/DuviRoradUD2", "a checking program of another version");
  int hooks_run = 0;
  StartUpHooks hooks;
  hooks.one_copy_check = [&] { ++hooks_run; };
  hooks.initialise_languages = [&] { ++hooks_run; };
  const ShellState state = RunShellStartUp(paths_, hooks, {10, 0, 0});
  EXPECT_TRUE(state.include_modules_ready);
  EXPECT_EQ(hooks_run, 2);
  EXPECT_EQ(ReadCounter(root_ / "Program/Resource/LCounter.ini"), 1);
  EXPECT_FALSE(std::filesystem::exists(root_ / "Program/Resource/TCounter.ini"));
  EXPECT_FALSE(std::filesystem::exists(root_ / "Program/Resource/DuviRoradUD2"));
  const std::string packages = root_.Read("Program/Resource/Packages.ini");
  EXPECT_TRUE(packages.starts_with("Static Leaders 1.0/1.0.0\r\nStatic religions 1.0/1.0.0\r\n"));
  EXPECT_TRUE(packages.ends_with("Add LoadingScreens WW2 Navy 1.0/1.0.0\r\n"));
  EXPECT_TRUE(state.packages_listed);
  const auto list = platform::ReadCopyList(
      platform::RegistryStore(platform::RegistryStore::DefaultLocation()).Read());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].exe_path, paths_.executable.string());
  EXPECT_EQ(list[0].version, "1.5.0.2k.lang");

  RunShellClose(paths_, state);
  EXPECT_TRUE(ReadCounter(root_ / "Program/Resource/TNCounter.ini").has_value());
}

TEST_F(StartUpTest, APackageListThatCannotBeWrittenIsNotTakenAsListed) {
  root_.Write("Program/Resource/Packages.ini/in the way", "a folder where the list should be");
  const ShellState state = RunShellStartUp(paths_, {}, {10, 0, 0});
  EXPECT_TRUE(state.include_modules_ready);
  EXPECT_FALSE(state.packages_listed);
}

TEST_F(StartUpTest, AnOldSystemStopsBeforeAnythingIsWritten) {
  std::string shown;
  StartUpHooks hooks;
  hooks.unsupported_system = [&](const ShellState& state) { shown = state.minimum_system_name; };
  const ShellState state = RunShellStartUp(paths_, hooks, {4, 10, 0});
  EXPECT_TRUE(state.system_not_supported);
  EXPECT_FALSE(state.include_modules_ready);
  EXPECT_EQ(shown, "2000");
  EXPECT_FALSE(std::filesystem::exists(root_ / "Program/Resource"));
  errors::Processor().set_disabled(false);
}

TEST_F(StartUpTest, AutostartValuesAreRemovedFromBothRoots) {
  platform::RegistryStore store(platform::RegistryStore::DefaultLocation());
  store.Modify([](platform::RegistryData& data) {
    data.WriteString(std::string("HKEY_LOCAL_MACHINE\\") + kRunKey, "Vornak.TQ", "x");
    data.WriteString(std::string("HKEY_CURRENT_USER\\") + kRunKey, "vornak.tq", "x");
    data.WriteString(std::string("HKEY_CURRENT_USER\\") + kRunKey, "Other", "y");
  });
  RemoveAutostartEntries(store);
  const auto data = store.Read();
  EXPECT_FALSE(data.ValueExists(std::string("HKEY_LOCAL_MACHINE\\") + kRunKey, "Vornak.TQ"));
  EXPECT_FALSE(data.ValueExists(std::string("HKEY_CURRENT_USER\\") + kRunKey, "Vornak.TQ"));
  EXPECT_TRUE(data.ValueExists(std::string("HKEY_CURRENT_USER\\") + kRunKey, "Other"));
}

}  // namespace
}  // namespace shell
