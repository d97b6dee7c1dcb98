#include "platform/folders.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <map>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

EnvironmentLookup Env(std::map<std::string, std::string> values) {
  return [values](const std::string& name) -> std::optional<std::string> {
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  };
}

TEST(TempFolder, TakesTempExactlyThenTmpThenTmpdir) {
  EXPECT_EQ(TempFolder(Env({{"TEMP", "/t1"}, {"TMP", "/t2"}})), "/t1");
  EXPECT_EQ(TempFolder(Env({{"TEMPLATE", "/no"}, {"TMP", "/t2"}})), "/t2");
  EXPECT_EQ(TempFolder(Env({{"TMPDIR", "/t3"}})), "/t3");
  EXPECT_EQ(TempFolder(Env({{"TEMP", ""}})), "/tmp");
}

TEST(PrivateTempFolder, IsOursAndClosedToOthers) {
  testing_support::TempFolder base;
  testing_support::ScopedEnv temp("TEMP", base.path().c_str());
  const fs::path folder = PrivateTempFolder();
  EXPECT_EQ(folder.parent_path(), base.path());
  struct stat st {};
  ASSERT_EQ(lstat(folder.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST(SpecialFolder, RegistryValuesWinOverXdgFolders) {
  RegistryData registry;
  registry.WriteString(RegistryKey(kHkeyCurrentUser, kShellFoldersKey), "Personal",
                       "/data/\xC4\xEE\xEA\xF3\xEC\xE5\xED\xF2\xFB");
  registry.WriteString(RegistryKey(kHkeyLocalMachine, kCurrentVersionKey), "ProgramFilesDir",
                       "/progs");
  const auto env = Env({{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/xdg/data"}, {"TEMP", "/t"}});
  EXPECT_EQ(SpecialFolder(9, registry, env), "/data/Документы");
  EXPECT_EQ(SpecialFolder(8, registry, env), "/progs");
  EXPECT_EQ(SpecialFolder(0, registry, env), "/xdg/data");
  EXPECT_EQ(
      SpecialFolder(4, RegistryData(), Env({{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/none"}})),
      "/home/u/Desktop");
  EXPECT_EQ(SpecialFolder(1, registry, env), "/t");
}

TEST(SpecialFolder, ReadsTheUserDirsFile) {
  testing_support::TempFolder home;
  home.Write(".config/user-dirs.dirs", "# x\nXDG_DESKTOP_DIR=\"$HOME/Рабочий стол\"\n");
  const auto env = Env({{"HOME", home.path().string()}});
  EXPECT_EQ(SpecialFolder(4, RegistryData(), env), home.path().string() + "/Рабочий стол");
}

}  // namespace
}  // namespace platform
