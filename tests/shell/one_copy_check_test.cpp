#include "shell/one_copy_check.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <set>

#include "platform/text.h"
#include "tests/support/temp_folder.h"

namespace shell {
namespace {

// Mutex names that "another copy" holds, and whether its window is open.
struct OtherCopy {
  std::set<std::string> names;
  bool window_open = true;
  std::vector<std::string> probed;
  std::vector<platform::NamedMutex> held_by_other;
  int warnings = 0;

  OneCopyEnvironment Environment(const testing_support::TempFolder& folder) {
    OneCopyEnvironment env;
    env.create_mutex = [this, &folder](const std::string& name) {
      probed.push_back(name);
      if (names.contains(name)) {
        held_by_other.push_back(platform::NamedMutex::CreateIn(folder.path(), name));
      }
      return platform::NamedMutex::CreateIn(folder.path(), name);
    };
    env.other_window_exists = [this] { return window_open; };
    env.warn_newer_version = [this] { ++warnings; };
    env.pause = std::chrono::milliseconds(0);
    return env;
  }
};

TEST(OneCopyCheck, ProbesEveryVersionAndKeepsItsOwnNames) {
  testing_support::TempFolder folder;
  OtherCopy other;
  const auto result = CheckOneCopyLaunch(other.Environment(folder));
  EXPECT_TRUE(result.no_conflict);
  ASSERT_EQ(other.probed.size(), 11u);
  EXPECT_EQ(other.probed.front(), "Vornak.TQ 0.9.5.2k.lang");
  EXPECT_EQ(other.probed[9], "Vornak.TQ 1.5.0.2k.lang");
  EXPECT_EQ(other.probed[10], "Vornak.TQ");
  // This version's name and the common name stay held; the earlier ones were closed.
  EXPECT_EQ(result.held.size(), 2u);
  EXPECT_TRUE(
      platform::NamedMutex::CreateIn(folder.path(), "Vornak.TQ 1.5.0.2k.lang").already_existed());
  EXPECT_FALSE(
      platform::NamedMutex::CreateIn(folder.path(), "Vornak.TQ 0.9.5.2k.lang").already_existed());
}

TEST(OneCopyCheck, OnlyANewerVersionIsWarnedAbout) {
  struct Case {
    std::set<std::string> names;
    bool window_open;
    bool relaunch;
    bool no_conflict;
    int warnings;
  } cases[] = {
      {{"Vornak.TQ"}, true, false, false, 1},                             // a newer version runs
      {{"Vornak.TQ 1.5.0.2k.lang", "Vornak.TQ"}, true, false, false, 0},  // this version runs
      {{"Vornak.TQ"}, false, false, true, 0},               // a name left without a window
      {{"Vornak.TQ"}, true, true, true, 0},                 // restarted after an error: no scan
      {{"Vornak.TQ 1.4.0.2k.lang"}, true, false, true, 0},  // an older one: no third probe
  };
  for (const auto& c : cases) {
    testing_support::TempFolder folder;
    OtherCopy other;
    other.names = c.names;
    other.window_open = c.window_open;
    auto env = other.Environment(folder);
    env.error_relaunch = c.relaunch;
    const auto result = CheckOneCopyLaunch(env);
    EXPECT_EQ(result.no_conflict, c.no_conflict) << *c.names.begin();
    EXPECT_EQ(other.warnings, c.warnings) << *c.names.begin();
  }
}

TEST(OneCopyCheck, ASecondProcessSeesTheFirst) {
  testing_support::TempFolder folder;
  const auto env_for = [&folder](bool* window) {
    OneCopyEnvironment env;
    env.create_mutex = [&folder](const std::string& name) {
      return platform::NamedMutex::CreateIn(folder.path(), name);
    };
    env.other_window_exists = [window] { return *window; };
    env.pause = std::chrono::milliseconds(0);
    return env;
  };
  bool first_window = false;
  const auto first = CheckOneCopyLaunch(env_for(&first_window));
  ASSERT_TRUE(first.no_conflict);
  const pid_t child = fork();
  if (child == 0) {
    bool window = true;  // the first copy's window is open
    _exit(CheckOneCopyLaunch(env_for(&window)).no_conflict ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(IsErrorRelaunch, AnyLetterCase) {
  EXPECT_TRUE(IsErrorRelaunch({"/ErrorReLaunch"}));
  EXPECT_FALSE(IsErrorRelaunch({"x", "/errorrelaunch"}));
  EXPECT_FALSE(IsErrorRelaunch({}));
}

TEST(NewerVersionMessage, TranslatedFromTheChosenLanguagePack) {
  testing_support::TempFolder program;
  EXPECT_EQ(platform::Cp1251ToUtf8(NewerVersionMessage(program.path())),
            "Уже запущена более новая версия программы!");
  program.Write("Settings/ULangSettings.ini", "[Settings]\r\nLanguage=English\r\n");
  program.Write("Language/English/English.txt", "English\r\n< Lang.Pack for Vornak.TQ 1.0 >\r\n");
  program.Write("Language/English/UOCL_Language.txt",
                "// messages\r\nid1=First\r\nID2=Other\r\nID1=A newer version is running!\r\n");
  EXPECT_EQ(NewerVersionMessage(program.path()), "A newer version is running!");
  program.Write("Settings/ULangSettings.ini", "[Settings]\r\nLanguage=..\\..\\etc\r\n");
  EXPECT_EQ(platform::Cp1251ToUtf8(NewerVersionMessage(program.path())),
            "Уже запущена более новая версия программы!");
}

}  // namespace
}  // namespace shell
