// The page sequence, driven through a scripted frontend against real packs, copies and a
// registry store in a temporary folder.
#include "installer/install_flow.h"

#include <gtest/gtest.h>

#include <sstream>

#include "installer/silent_run.h"
#include "platform/paths.h"
#include "platform/registry_store.h"
#include "platform/text.h"
#include "tests/installer/tree_snapshot.h"
#include "tests/support/temp_folder.h"
#include "tools/pe_writer/pe_writer.h"

namespace installer {
namespace {

namespace fs = std::filesystem;
using platform::Ansi;

class ScriptedFrontend : public Frontend {
 public:
  std::vector<std::string> pages;
  std::function<size_t()> language = [] { return 0; };
  std::function<PageAction()> about = [] { return PageAction::kNext; };
  std::function<PageChoice(const std::vector<std::string>&)> choice;
  std::function<PageChoice()> not_found;
  std::string about_title;
  std::string about_text;

  PageAction LanguagePage(const std::vector<LanguageEntry>&,
                          const std::function<void(size_t)>& select) override {
    pages.push_back("language");
    select(language());
    return PageAction::kNext;
  }
  PageAction AboutPage(const std::string& title, const std::string& text) override {
    pages.push_back("about");
    about_title = title;
    about_text = text;
    return about();
  }
  PageChoice CopyChoicePage(const std::string&, const std::vector<std::string>& paths) override {
    pages.push_back("choice");
    return choice(paths);
  }
  PageChoice NotFoundPage(const std::string&, const std::string&, const std::string&) override {
    pages.push_back("not found");
    return not_found();
  }
  void BeginProgress(const std::string&) override { pages.push_back("progress"); }
  void Step(const ProgressStep&, const std::string&) override {}
  void WaitForExit() override {}
  void Close() override { pages.push_back("closed"); }
};

class InstallFlowTest : public ::testing::Test {
 protected:
  InstallFlowTest() {
    folder_.Write("pack/Source/Pack.ini", installer_testing::PackIni());
    folder_.Write("pack/Source/Versions.ini", "1.5.0.2k.lang\r\n");
    folder_.Write("pack/Source/Script_Copy.ini", "a.txt\r\n");
    folder_.Write("pack/Source/PACK/a.txt", "a");
    folder_.Write("pack/Source/aboutPack.ini",
                  "English\r\nRussian\r\nList: end\r\nLanguage: English\r\nAbout in English\r\n"
                  "Language: End\r\nLanguage: Russian\r\nAbout in Russian\r\nLanguage: End\r\n");
  }

  fs::path Copy(const std::string& name, const std::string& version = "1.5.0.2") {
    tools::PeVersionOptions options;
    options.file_version = version;
    return folder_.Write(name + "/Vornak.TQ", tools::BuildPeWithVersion(options));
  }

  void Register(const fs::path& exe) {
    platform::RegistryStore(folder_ / "Registry.txt").Modify([&](platform::RegistryData& data) {
      const uint32_t number = platform::CopyListCount(data) + 1;
      const auto key = platform::CopyListEntryKey(number);
      data.WriteString(key, "ExePatch", platform::PathToAnsi(exe));
      data.WriteString(key, "Version", "1.5.0.2k.lang");
      data.WriteString(key, "ProgramName", "Vornak.TQ");
      data.WriteDword(platform::kCopyListKey, platform::kCopyListCount, number);
    });
  }

  FlowResult Run(FlowOptions options = {}) {
    session_ = Session::Open(
        {folder_ / "pack", folder_ / "Registry.txt", [](const fs::path&) { return false; }},
        dialogs_);
    EXPECT_TRUE(session_);
    return RunInstaller(*session_, frontend_, options);
  }

  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const auto& box : dialogs_.shown()) texts.push_back(box.text);
    return texts;
  }

  static InstallerTexts Russian() {
    InstallerTexts texts;
    texts.UseBuiltIn();
    return texts;
  }

  bool Installed(const std::string& program) const {
    return fs::exists(folder_ / program / "DATA/Components/Sample Screens 1.0/a.txt");
  }

  testing_support::TempFolder folder_;
  platform::ScriptedDialogs dialogs_;
  ScriptedFrontend frontend_;
  std::unique_ptr<Session> session_;
};

TEST_F(InstallFlowTest, TheOnlyCopyIsTakenWithoutAPageAndMayBeStarted) {
  const fs::path exe = Copy("prog");
  Register(exe);
  dialogs_.QueueAnswer(platform::kIdOk);   // folder found
  dialogs_.QueueAnswer(platform::kIdOk);   // installed
  dialogs_.QueueAnswer(platform::kIdYes);  // start it
  const FlowResult result = Run();
  EXPECT_EQ(result.outcome, Outcome::kInstalled);
  EXPECT_EQ(result.start, exe);
  EXPECT_TRUE(Installed("prog"));
  EXPECT_EQ(frontend_.pages, (std::vector<std::string>{"about", "progress", "closed"}));
  EXPECT_EQ(frontend_.about_text, "About in Russian");
  const auto texts = Russian();
  EXPECT_EQ(Boxes(),
            (std::vector<std::string>{texts.FolderFound(platform::PathToAnsi(folder_ / "prog")),
                                      texts.Success(), texts.StartQuestion("Vornak.TQ")}));
  EXPECT_EQ(dialogs_.shown()[2].caption, Ansi("Подтверждение..."));
}

TEST_F(InstallFlowTest, SeveralCopiesAreOfferedAndBackReturnsToTheAboutPage) {
  Register(Copy("first"));
  Register(Copy("second"));
  int visits = 0;
  frontend_.choice = [&](const std::vector<std::string>& paths) {
    EXPECT_EQ(paths.size(), 2u);
    return ++visits == 1 ? PageChoice::Back() : PageChoice::Copy(1);
  };
  const FlowResult result = Run();
  EXPECT_EQ(result.outcome, Outcome::kInstalled);
  EXPECT_FALSE(result.start) << "the safe answer does not start it";
  EXPECT_TRUE(Installed("second"));
  EXPECT_FALSE(Installed("first"));
  EXPECT_EQ(frontend_.pages,
            (std::vector<std::string>{"about", "choice", "about", "choice", "progress", "closed"}));
  EXPECT_EQ(Boxes().at(2), Russian().OtherCopyHint("Vornak.TQ"));
}

TEST_F(InstallFlowTest, BackOnTheNotFoundPageFindsACopyStartedMeanwhile) {
  const fs::path exe = Copy("prog");
  frontend_.not_found = [&] {
    Register(exe);  // the user starts the configurator, which registers itself
    return PageChoice::Back();
  };
  EXPECT_EQ(Run().outcome, Outcome::kInstalled);
  EXPECT_TRUE(Installed("prog"));
  EXPECT_EQ(frontend_.pages,
            (std::vector<std::string>{"about", "not found", "progress", "closed"}));
  EXPECT_EQ(Boxes().size(), 3u) << "no other-copy hint: the copy was found, not chosen";
}

TEST_F(InstallFlowTest, AChosenFolderIsSearchedUpwardsAndChecked) {
  Copy("old", "1.4.0.0");
  Copy("prog");
  fs::create_directories(folder_ / "prog/Mods/Screens/Art");
  fs::create_directories(folder_ / "empty");
  const std::vector<fs::path> choices = {folder_ / "empty", folder_ / "old",
                                         folder_ / "prog/Mods/Screens/Art"};
  size_t next = 0;
  frontend_.not_found = [&] { return PageChoice::Folder(choices.at(next++)); };
  EXPECT_EQ(Run().outcome, Outcome::kInstalled);
  EXPECT_TRUE(Installed("prog"));
  const auto texts = Russian();
  const auto boxes = Boxes();
  ASSERT_GE(boxes.size(), 5u);
  EXPECT_EQ(boxes[0], texts.NoProgramInFolder());
  EXPECT_EQ(boxes[1], texts.IncompatibleCopy("Vornak.TQ"));
  EXPECT_EQ(boxes[2], texts.FolderFound(platform::PathToAnsi(folder_ / "prog")));
  EXPECT_EQ(boxes[4], texts.OtherCopyHint("Vornak.TQ"));
}

TEST_F(InstallFlowTest, ALanguageFileAppliesToEveryPageAfterItsChoice) {
  std::string english = "English\r\n";
  for (int i = 0; i < kTextCount; ++i) english += "E" + std::to_string(i) + "\r\n";
  folder_.Write("pack/Language/English.txt", english);
  Register(Copy("prog"));
  frontend_.language = [] { return 1; };
  Run();
  EXPECT_EQ(frontend_.pages.front(), "language");
  EXPECT_EQ(frontend_.about_title, "E28:");
  EXPECT_EQ(frontend_.about_text, "About in English");
  EXPECT_EQ(dialogs_.shown().back().text, "E17");
}

TEST_F(InstallFlowTest, LeavingOrAStoppedCheckEndsWithoutInstalling) {
  Register(Copy("prog"));
  frontend_.about = [] { return PageAction::kExit; };
  EXPECT_EQ(Run().outcome, Outcome::kCancelled);
  EXPECT_EQ(frontend_.pages, (std::vector<std::string>{"about", "closed"}));

  folder_.Write("prog/DATA/Components/Sample Screens 1.0/Version.ini", "1.0.0\r\n");
  frontend_ = ScriptedFrontend();
  EXPECT_EQ(Run().outcome, Outcome::kCancelled) << "the overwrite question's safe answer";
  EXPECT_EQ(frontend_.pages, (std::vector<std::string>{"about", "closed"}));
  EXPECT_FALSE(Installed("prog"));
}

TEST_F(InstallFlowTest, AGivenTargetReplacesTheCopySearch) {
  Register(Copy("first"));
  Register(Copy("second"));
  EXPECT_EQ(Run({folder_ / "second/Mods"}).outcome, Outcome::kInstalled);
  EXPECT_TRUE(Installed("second"));
  EXPECT_EQ(Run({folder_ / "nowhere"}).outcome, Outcome::kNoSupportedCopy);
}

TEST_F(InstallFlowTest, TheUnattendedResultTellsAFolderWithoutASupportedCopyFromAFailedInstall) {
  Copy("old", "1.4.0.0");
  Copy("prog");
  fs::create_directories(folder_ / "empty");
  // A folder where the pack's file should go makes the install itself fail.
  fs::create_directories(folder_ / "prog/DATA/Components/Sample Screens 1.0/a.txt");
  constexpr char kNoCopy[] = "Result: nothing was installed: the folder holds no copy";
  constexpr char kFailed[] = "Result: the install failed.";
  const struct {
    const char* target;
    const char* result;
  } cases[] = {{"empty", kNoCopy}, {"old", kNoCopy}, {"prog", kFailed}};
  for (const auto& c : cases) {
    CommandLine command_line;
    command_line.mode = CommandLine::Mode::kSilent;
    command_line.target = folder_ / c.target;
    platform::ScriptedDialogs dialogs;
    std::ostringstream out;
    const int exit_code = RunSilent(
        command_line,
        {folder_ / "pack", folder_ / "Registry.txt", [](const fs::path&) { return false; }},
        dialogs, out);
    EXPECT_EQ(exit_code, kExitNotInstalled) << c.target;
    EXPECT_NE(out.str().find(c.result), std::string::npos) << c.target << "\n" << out.str();
  }
}

TEST(SessionOpen, TellsWhyTheInstallerCannotGoOn) {
  testing_support::TempFolder folder;
  platform::ScriptedDialogs dialogs;
  EXPECT_FALSE(Session::Open({folder.path(), folder / "Registry.txt", {}}, dialogs));
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_NE(dialogs.shown()[0].text.find("Pack.ini"), std::string::npos);
  EXPECT_EQ(dialogs.shown()[0].flags & platform::kMbIconMask, platform::kMbIconStop);

  folder.Write("Source/Pack.ini", installer_testing::PackIni());
  testing_support::ScopedEnv old_system("OSTREL_SYSTEM_VERSION", "4.10");
  dialogs.ClearShown();
  EXPECT_FALSE(Session::Open({folder.path(), folder / "Registry.txt", {}}, dialogs));
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, "\r\nPackrane.TQ\r\n\r\nNot supported OS...                ");
  EXPECT_EQ(dialogs.shown()[0].caption, "Warning...");
}

}  // namespace
}  // namespace installer
