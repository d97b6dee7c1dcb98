// The checks before installing and the install procedure, on small packs in a temporary folder.
#include "installer/pack_install.h"

#include <gtest/gtest.h>

#include "installer/pack_checks.h"
#include "platform/text.h"
#include "tests/installer/tree_snapshot.h"
#include "tests/support/temp_folder.h"

namespace installer {
namespace {

namespace fs = std::filesystem;
using installer_testing::PackIni;
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

  bool Install() {
    steps_.clear();
    const PackFolder pack_folder(folder_ / "pack");
    const auto pack = ReadPackDescription(pack_folder).pack;
    return InstallPack(*pack, pack_folder, folder_ / "prog",
                       [&](const ProgressStep& step) { steps_.push_back(step); });
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
