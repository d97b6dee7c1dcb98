// The checks before installing and the install procedure, on small packs in a temporary folder.
#include "installer/pack_install.h"

#include <gtest/gtest.h>

#include <functional>

#include "installer/pack_checks.h"
#include "platform/text.h"
#include "tests/installer/read_only_folder.h"
#include "tests/installer/tree_snapshot.h"
#include "tests/support/temp_folder.h"

namespace installer {
namespace {

namespace fs = std::filesystem;
using installer_testing::PackIni;
using installer_testing::ReadOnlyFolder;
using installer_testing::Snapshot;

constexpr char kComponent[] = "prog/DATA/Components/Sample Screens 1.0/";

class PackInstallTest : public ::testing::Test {
 protected:
  PackInstallTest() {
    Pack("Pack.ini", PackIni());
    Program("Vornak.TQ", "the configurator");
  }

  void Pack(const std::string& relative, std::string_view bytes) {
    folder_.Write("pack/Source/" + relative, bytes);
  }
  void Program(const std::string& relative, std::string_view bytes) {
    folder_.Write("prog/" + relative, bytes);
  }
  std::string Read(const std::string& relative) const { return folder_.Read(relative); }
  bool Exists(const std::string& relative) const { return fs::exists(folder_ / relative); }

  bool Install(const std::string& program = "prog") {
    steps_.clear();
    const PackFolder pack_folder(folder_ / "pack");
    const auto pack = ReadPackDescription(pack_folder).pack;
    return InstallPack(*pack, pack_folder, folder_ / program,
                       [&](const ProgressStep& step) { steps_.push_back(step); });
  }

  // The checks an unattended run makes: true when they let the install go on without a question.
  bool NextRunGoesOn() {
    const PackFolder pack_folder(folder_ / "pack");
    const auto pack = *ReadPackDescription(pack_folder).pack;
    InstallerTexts texts;
    texts.UseBuiltIn();
    platform::ScriptedDialogs dialogs;  // every question gets its safe answer
    const auto result =
        CheckBeforeInstall(pack, folder_ / "prog", texts, dialogs, [] { return false; });
    return result == CheckResult::kGoOn && dialogs.shown().empty();
  }

  // Starts a case of a table afresh: the description and the program, nothing else.
  void Reset() {
    for (const char* folder : {"pack", "prog", "outside"}) fs::remove_all(folder_ / folder);
    Pack("Pack.ini", PackIni());
    Program("Vornak.TQ", "the configurator");
  }

  testing_support::TempFolder folder_;
  std::vector<ProgressStep> steps_;
};

TEST_F(PackInstallTest, RunsEveryScriptAndRecordsTheVersion) {
  Program("Resource/Old.txt", "left by the previous version");
  Program("DATA/keep.txt", "kept");
  Program("Resource/Uninstall.ini",
          "[Base]\r\nbase.dds\r\n[Sample Screens 1.0]\r\nDATA\\Old\\a.dds\r\n");
  Pack("Script_Delete.ini", "Resource\\Old.txt\r\nMissing.txt\r\n\r\nDATA\r\n");
  Pack("Script_ACopy.ini", "Help\\Sample.txt\r\nNotInPack.txt\r\n");
  Pack("Script_Copy.ini", "Components.ini\r\nDATA\\Art\\dawn.dds\r\n");
  Pack("Script_Uninstall_Clear.ini", "DATA\\Old\\a.dds\r\n");
  Pack("Script_Uninstall_Add.ini", "[Sample Screens 1.0]\r\nDATA\\New\\dawn.dds\r\n");
  Pack("OldVersions.ini", "0.9.0\r\n");
  Pack("PACK/Help/Sample.txt", "help page");
  Pack("PACK/Components.ini", "DATA\\Art\\dawn.dds\r\n");
  Pack("PACK/DATA/Art/dawn.dds", "dawn");
  // The pack may sit on a read-only medium: nothing is written into it.
  const auto pack_before = Snapshot(folder_ / "pack");
  fs::permissions(folder_ / "pack/Source", fs::perms::all, fs::perm_options::remove);
  fs::permissions(folder_ / "pack/Source", fs::perms::owner_read | fs::perms::owner_exec,
                  fs::perm_options::add);

  ASSERT_TRUE(Install());
  fs::permissions(folder_ / "pack/Source", fs::perms::owner_all, fs::perm_options::add);
  EXPECT_EQ(Snapshot(folder_ / "pack"), pack_before);

  EXPECT_FALSE(Exists("prog/Resource/Old.txt"));
  EXPECT_EQ(Read("prog/DATA/keep.txt"), "kept") << "a folder is never deleted";
  EXPECT_EQ(Read("prog/Help/Sample.txt"), "help page");
  EXPECT_EQ(Read(std::string(kComponent) + "Components.ini"), "DATA\\Art\\dawn.dds\r\n");
  EXPECT_EQ(Read(std::string(kComponent) + "DATA/Art/dawn.dds"), "dawn");
  EXPECT_EQ(Read(std::string(kComponent) + "Version.ini"), "1.0.0\r\n");
  EXPECT_EQ(Read(std::string(kComponent) + "OldVersions.ini"), "0.9.0\r\n");
  EXPECT_EQ(Read("prog/Resource/InstallComponents.ini"), "Sample Screens 1.0/1.0.0\r\n");
  EXPECT_EQ(Read("prog/Resource/Uninstall.ini"),
            "[Base]\r\nbase.dds\r\n[Sample Screens 1.0]\r\nDATA\\New\\dawn.dds\r\n");

  // Copy 2 + absolute copy 2 + delete 4 + add 2; the clear script's lines are no steps.
  ASSERT_EQ(steps_.size(), 11u);
  EXPECT_EQ(steps_.front().done, 0);
  EXPECT_EQ(steps_.back().done, 10);
  EXPECT_EQ(steps_.back().total, 10);

  for (const auto& [path, bytes] : Snapshot(folder_ / "prog")) {
    EXPECT_EQ(path.find(".tmp"), std::string::npos) << "scratch file left: " << path;
  }
}

TEST_F(PackInstallTest, InstallingTwiceListsTheComponentOnce) {
  Program("Resource/InstallComponents.ini", "Other Pack/2.0");
  ASSERT_TRUE(Install());
  ASSERT_TRUE(Install());
  EXPECT_EQ(Read("prog/Resource/InstallComponents.ini"),
            "Other Pack/2.0\r\nSample Screens 1.0/1.0.0\r\n");
}

TEST_F(PackInstallTest, APackOfKindNewKeepsNoVersionRecord) {
  Pack("Pack.ini", PackIni("Sample Screens 1.0", "1.0.0", "New"));
  Pack("Script_Copy.ini", "a.txt\r\n");
  Pack("PACK/a.txt", "a");
  ASSERT_TRUE(Install());
  EXPECT_EQ(Read(std::string(kComponent) + "a.txt"), "a");
  EXPECT_FALSE(Exists(std::string(kComponent) + "Version.ini"));
  EXPECT_FALSE(Exists("prog/Resource/InstallComponents.ini"));
}

TEST_F(PackInstallTest, AFolderEntryIsMergedWithItsContent) {
  Pack("Script_Copy.ini", "DATA\r\n");
  Pack("PACK/DATA/Art/dawn.dds", "new dawn");
  Pack("PACK/DATA/dusk.dds", "dusk");
  Program("DATA/Components/Sample Screens 1.0/data/Art/dawn.dds", "old dawn");
  Program("DATA/Components/Sample Screens 1.0/data/mine.txt", "the user's");
  ASSERT_TRUE(Install()) << "a folder copied whole counts as copied";
  const std::string data = std::string(kComponent) + "data/";  // the existing spelling is reused
  EXPECT_EQ(Read(data + "Art/dawn.dds"), "new dawn");
  EXPECT_EQ(Read(data + "dusk.dds"), "dusk");
  EXPECT_EQ(Read(data + "mine.txt"), "the user's");
  EXPECT_FALSE(Exists(std::string(kComponent) + "DATA"));
}

TEST_F(PackInstallTest, AFailedCopyFailsTheInstallAndLeavesTheVersionUnrecorded) {
  Pack("Script_Copy.ini", "Components.ini\r\ndawn.dds\r\n");
  Pack("OldVersions.ini", "0.9.0\r\n");
  Pack("PACK/Components.ini", "list");
  Pack("PACK/dawn.dds", "dawn");
  // A folder where the file should go makes its copy fail.
  fs::create_directories(folder_ / kComponent / "Components.ini");
  EXPECT_FALSE(Install());
  EXPECT_EQ(Read(std::string(kComponent) + "dawn.dds"), "dawn") << "the other entries still go in";
  EXPECT_FALSE(Exists(std::string(kComponent) + "Version.ini"));
  EXPECT_FALSE(Exists(std::string(kComponent) + "OldVersions.ini"));
  EXPECT_FALSE(Exists("prog/Resource/InstallComponents.ini"));
}

TEST_F(PackInstallTest, TheUninstallListIsReplacedWholeOrEditedOnlyWhereItExists) {
  Pack("Script_Uninstall_Add.ini", "[S]\r\nline\r\n");
  Pack("Script_Uninstall_Clear.ini", "x\r\n");
  ASSERT_TRUE(Install());
  EXPECT_FALSE(Exists("prog/Resource/Uninstall.ini")) << "a program without a list gets none";
  EXPECT_EQ(steps_.back().total, 2);

  Pack("Uninstall.ini", "[Whole]\r\nlist without final line break");
  ASSERT_TRUE(Install());
  EXPECT_EQ(Read("prog/Resource/Uninstall.ini"), "[Whole]\r\nlist without final line break");
  EXPECT_EQ(steps_.back().total, 1);
}

TEST_F(PackInstallTest, AHostilePackChangesNothingOutsideTheProgramFolder) {
  folder_.Write("outside/victim.txt", "precious");
  folder_.Write("outside/secret.txt", "private");
  const std::string victim = (folder_ / "outside/victim.txt").string();
  Pack("Script_Delete.ini", "..\\outside\\victim.txt\r\n" + victim + "\r\nC:\\victim.txt\r\n");
  Pack("Script_ACopy.ini",
       "..\\outside\\planted.txt\r\nD:\\planted.txt\r\nleak.txt\r\n"
       "Linked\\secret.txt\r\n");
  Pack("Script_Copy.ini", "..\\..\\..\\..\\outside\\planted.txt\r\nDir\r\n");
  Pack("PACK/planted.txt", "planted");
  Pack("PACK/Dir/fine.txt", "fine");
  fs::create_symlink(folder_ / "outside/secret.txt", folder_ / "pack/Source/PACK/leak.txt");
  fs::create_symlink(folder_ / "outside", folder_ / "pack/Source/PACK/Dir/escape");
  fs::create_symlink(folder_ / "outside", folder_ / "pack/Source/PACK/Linked");
  const auto outside_before = Snapshot(folder_ / "outside");
  const auto pack_before = Snapshot(folder_ / "pack");

  EXPECT_FALSE(Install()) << "refused paths count as failures";
  EXPECT_EQ(Snapshot(folder_ / "outside"), outside_before);
  EXPECT_EQ(Snapshot(folder_ / "pack"), pack_before);
  // Inside, what was safe went in, and nothing that a link reached.
  EXPECT_EQ(Snapshot(folder_ / "prog"),
            (std::map<std::string, std::string>{
                {"Vornak.TQ", "the configurator"},
                {"DATA", "<folder>"},
                {"DATA/Components", "<folder>"},
                {"DATA/Components/Sample Screens 1.0", "<folder>"},
                {"DATA/Components/Sample Screens 1.0/Dir", "<folder>"},
                {"DATA/Components/Sample Screens 1.0/Dir/fine.txt", "fine"},
            }));
}

TEST_F(PackInstallTest, LinksInsideTheProgramFolderCannotLeadTheInstallOutsideIt) {
  const fs::path outside = folder_ / "outside";
  const auto link = [&](const std::string& at, const fs::path& to) {
    fs::create_directories((folder_ / at).parent_path());
    fs::create_symlink(to, folder_ / at);
  };
  const std::string component = kComponent;
  struct Case {
    const char* name;
    std::function<void()> set_up;
  } cases[] = {
      {"a delete through a linked folder",
       [&] {
         link("prog/Help", outside);
         Pack("Script_Delete.ini", "Help\\victim.txt\r\n");
       }},
      {"a copy through a linked folder",
       [&] {
         link("prog/Help", outside);
         Pack("Script_ACopy.ini", "Help\\planted.txt\r\n");
         Pack("PACK/Help/planted.txt", "planted");
       }},
      {"a copy onto a link to a file outside",
       [&] {
         link("prog/Help/victim.txt", outside / "victim.txt");
         Pack("Script_ACopy.ini", "Help\\victim.txt\r\n");
         Pack("PACK/Help/victim.txt", "overwritten");
       }},
      {"a component folder in a linked parent folder",
       [&] {
         Pack("Pack.ini", PackIni("Sample Screens 1.0", "1.0.0", "Pack", "Linked"));
         link("prog/Linked", outside);
         Pack("Script_Copy.ini", "a.txt\r\n");
         Pack("PACK/a.txt", "a");
       }},
      {"a linked component folder and its version records",
       [&] {
         link(component.substr(0, component.size() - 1), outside);
         Pack("OldVersions.ini", "0.9.0\r\n");
       }},
      {"a folder merged into a linked subfolder",
       [&] {
         link(component + "Art/Screens", outside);
         Pack("Script_Copy.ini", "Art\r\n");
         Pack("PACK/Art/Screens/planted.txt", "planted");
       }},
      {"the program's lists in a linked Resource folder",
       [&] {
         link("prog/Resource", outside);
         folder_.Write("outside/Uninstall.ini", "[S]\r\n");
         Pack("Script_Uninstall_Add.ini", "[S]\r\nline\r\n");
       }},
  };
  for (const auto& c : cases) {
    Reset();
    folder_.Write("outside/victim.txt", "precious");
    c.set_up();
    const auto outside_before = Snapshot(outside);
    EXPECT_FALSE(Install()) << c.name << ": a refused path is a failure";
    EXPECT_EQ(Snapshot(outside), outside_before) << c.name;
  }
}

TEST_F(PackInstallTest, TheProgramFolderMayBeReachedThroughALinkAndLinksThatStayInsideAreFollowed) {
  Program("Help/old.txt", "old");
  fs::create_directory_symlink("Help", folder_ / "prog/Docs");
  fs::create_directory_symlink(folder_ / "prog", folder_ / "via");
  Pack("Script_Delete.ini", "Docs\\old.txt\r\n");
  Pack("Script_ACopy.ini", "Docs\\new.txt\r\n");
  Pack("PACK/Docs/new.txt", "new");
  ASSERT_TRUE(Install("via"));
  EXPECT_FALSE(Exists("prog/Help/old.txt"));
  EXPECT_EQ(Read("prog/Help/new.txt"), "new");
  EXPECT_EQ(Read(std::string(kComponent) + "Version.ini"), "1.0.0\r\n");
  EXPECT_EQ(Read("prog/Resource/InstallComponents.ini"), "Sample Screens 1.0/1.0.0\r\n");
}

TEST_F(PackInstallTest, APackFileThatIsALinkFailsTheInstallBeforeItChangesAnything) {
  const struct {
    const char* name;
    const char* lines;
  } files[] = {
      {"Script_Copy.ini", "a.txt\r\n"},           {"Script_ACopy.ini", "a.txt\r\n"},
      {"Script_Delete.ini", "Help\\old.txt\r\n"}, {"Script_Uninstall_Add.ini", "[S]\r\nnew\r\n"},
      {"Script_Uninstall_Clear.ini", "old\r\n"},  {"Uninstall.ini", "[Whole]\r\n"},
      {"OldVersions.ini", "0.9.0\r\n"},
  };
  for (const auto& file : files) {
    Reset();
    Program("Help/old.txt", "old");
    Program("Resource/Uninstall.ini", "[S]\r\nold\r\n");
    Pack("PACK/a.txt", "a");
    // The link stays inside the pack; it is refused all the same, as every link of a pack.
    folder_.Write(std::string("pack/lists/") + file.name, file.lines);
    fs::create_symlink(folder_ / "pack/lists" / file.name, folder_ / "pack/Source" / file.name);
    const auto program_before = Snapshot(folder_ / "prog");
    EXPECT_FALSE(Install()) << file.name;
    EXPECT_EQ(Snapshot(folder_ / "prog"), program_before) << file.name;
  }
}

TEST_F(PackInstallTest, RecordsThatCannotAllBeWrittenAreLeftAsTheyWereAndTheNextRunRepairs) {
  const std::string component = kComponent;
  struct Case {
    const char* name;
    std::string read_only;  // the folder that refuses the write
    bool old_versions;      // the pack carries OldVersions.ini
  } cases[] = {
      // The component's OldVersions.ini goes in, then the list of components fails.
      {"a read-only folder of the components list", "prog/Resource", true},
      // The list goes in, then the component's version record fails.
      {"a read-only component folder", component, false},
  };
  for (const auto& c : cases) {
    Reset();
    Pack("Script_ACopy.ini", "Help\\a.txt\r\n");
    Pack("PACK/Help/a.txt", "a");
    if (c.old_versions) Pack("OldVersions.ini", "0.9.0\r\n");
    Program("Resource/InstallComponents.ini", "Other Pack/2.0\r\n");
    Program(component.substr(5) + "OldVersions.ini", "0.8.0\r\n");
    const auto records = [&] {
      return std::vector<std::string>{Read(component + "Version.ini"),
                                      Read(component + "OldVersions.ini"),
                                      Read("prog/Resource/InstallComponents.ini")};
    };
    const auto records_before = records();
    {
      ReadOnlyFolder read_only(folder_ / c.read_only);
      if (!read_only.Holds()) GTEST_SKIP() << "this file system cannot refuse root a write";
      EXPECT_FALSE(Install()) << c.name;
    }
    EXPECT_EQ(records(), records_before) << c.name;

    // Once the folder takes writes again, an unattended run asks nothing and completes the install.
    EXPECT_TRUE(NextRunGoesOn()) << c.name;
    EXPECT_TRUE(Install()) << c.name;
    EXPECT_EQ(records(),
              (std::vector<std::string>{"1.0.0\r\n", c.old_versions ? "0.9.0\r\n" : "0.8.0\r\n",
                                        "Other Pack/2.0\r\nSample Screens 1.0/1.0.0\r\n"}))
        << c.name;
  }
}

TEST_F(PackInstallTest, ChecksTheRunningCopyAndTheInstalledVersions) {
  const PackFolder pack_folder(folder_ / "pack");
  const auto pack = *ReadPackDescription(pack_folder).pack;
  InstallerTexts texts;
  texts.UseBuiltIn();
  struct Case {
    const char* name;
    int running_checks;  // how many checks see the copy running
    const char* old_versions;
    const char* version;
    std::vector<int> answers;
    CheckResult result;
    std::vector<std::string> boxes;
  } cases[] = {
      {"nothing installed", 0, nullptr, nullptr, {}, CheckResult::kGoOn, {}},
      {"closed after two warnings",
       2,
       nullptr,
       nullptr,
       {platform::kIdOk, platform::kIdOk},
       CheckResult::kGoOn,
       {texts.RunningWarning("Vornak.TQ"), texts.RunningWarning("Vornak.TQ")}},
      {"cancelled while running",
       3,
       nullptr,
       nullptr,
       {platform::kIdOk},
       CheckResult::kStop,
       {texts.RunningWarning("Vornak.TQ"), texts.RunningWarning("Vornak.TQ")}},
      {"a newer version is installed",
       0,
       "0.5.0\r\n1.0.0\r\n",
       "1.1.0\r\n",
       {},
       CheckResult::kStop,
       {texts.NewerInstalled()}},
      {"the same version: overwrite",
       0,
       nullptr,
       "1.0.0\r\n",
       {platform::kIdOk},
       CheckResult::kGoOn,
       {texts.OverwriteQuestion()}},
      {"the same version: the safe answer keeps it",
       0,
       nullptr,
       "1.0.0\r\n",
       {},
       CheckResult::kStop,
       {texts.OverwriteQuestion()}},
      {"another version", 0, "0.9.0\r\n", "0.9.0\r\n", {}, CheckResult::kGoOn, {}},
  };
  for (const auto& c : cases) {
    fs::remove_all(folder_ / kComponent);
    if (c.old_versions) folder_.Write(std::string(kComponent) + "OldVersions.ini", c.old_versions);
    if (c.version) folder_.Write(std::string(kComponent) + "Version.ini", c.version);
    platform::ScriptedDialogs dialogs;
    for (int answer : c.answers) dialogs.QueueAnswer(answer);
    int running = c.running_checks;
    const auto result =
        CheckBeforeInstall(pack, folder_ / "prog", texts, dialogs, [&] { return running-- > 0; });
    EXPECT_EQ(result, c.result) << c.name;
    std::vector<std::string> shown;
    for (const auto& box : dialogs.shown()) {
      shown.push_back(box.text);
      EXPECT_EQ(box.caption, platform::Ansi("Предупреждение...")) << c.name;
      EXPECT_TRUE(box.flags & platform::kMbSystemModal) << c.name;
    }
    EXPECT_EQ(shown, c.boxes) << c.name;
  }
}

}  // namespace
}  // namespace installer
