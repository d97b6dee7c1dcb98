#include "generation/pipeline.h"

#include <gtest/gtest.h>

#include "generation/metadata_stages.h"
#include "generation/mod_folders.h"
#include "platform/file_io.h"
#include "tests/generation/generation_fixture.h"

namespace generation {
namespace {

using config::OptionSnapshot;
namespace fs = std::filesystem;

class PipelineTest : public GenerationFixture {};

TEST_F(PipelineTest, AMinimalRunWritesTheModsOwnFiles) {
  std::vector<Progress> progress;
  RunLog log([&](const Progress& p) { progress.push_back(p); });
  const RunResult result = RunGeneration(Inputs(OneFlag()), log);
  ASSERT_TRUE(result.succeeded) << result.failure;
  const fs::path mod = root_ / "Game/Mods/My Mod";
  EXPECT_EQ(result.mod_folder, mod);
  const fs::path goldens = GENERATION_TEST_DATA;
  EXPECT_EQ(platform::ReadFileBytes(mod / "My Mod.ini"),
            platform::ReadFileBytes(goldens / "description.ini"));
  EXPECT_EQ(platform::ReadFileBytes(mod / "Assets/XML/GlobalDefinesAlt.xml"),
            platform::ReadFileBytes(goldens / "global_defines_standard.xml"));
  EXPECT_TRUE(platform::IsFile(mod / "Assets/XML/Units/CIV4SpecialUnitInfos.xml"));
  EXPECT_TRUE(platform::IsFile(mod / "Assets/XML/Units/CIV4UnitInfos.xml"));  // the fallback
  EXPECT_TRUE(platform::IsFile(mod / "Assets/XML/Text/VK_CIV4GameTextInfos_2.xml"));
  for (const char* icon : {"Vornak.ico", "Vornak1.ico", "Vornak6.ico"}) {
    EXPECT_TRUE(platform::IsFile(mod / icon)) << icon;
  }
  EXPECT_EQ(*platform::ReadFileBytes(mod / "AutoConfig.vkm"),
            "[Main]\r\nFile=<Vornak Config File>\r\n");
  const std::string shortcut =
      platform::ReadFileBytes(root_ / "Desktop/My Mod.desktop").value_or("");
  // The launcher's Exec key: the game with the argument mod="Mods\My Mod", escaped twice.
  EXPECT_NE(shortcut.find("Civ4BeyondSword.exe \"mod=\\\\\"Mods\\\\\\\\My Mod\\\\\"\""),
            std::string::npos)
      << shortcut;
  EXPECT_NE(shortcut.find("Icon=" + (mod / "Vornak2.ico").string()), std::string::npos);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back().maximum, 102);
  EXPECT_EQ(progress.back().position, 102);
  EXPECT_FALSE(log.skipped().empty());  // the stages still to come are listed
  // Nothing is left beside the mod but the run lock's file.
  EXPECT_EQ(Entries(root_ / "Game/Mods"),
            (std::set<std::string>{"My Mod", std::string(kRunLockFileName)}));
}

TEST_F(PipelineTest, TwoIdenticalRunsGiveIdenticalTrees) {
  RunLog first_log;
  ASSERT_TRUE(RunGeneration(Inputs(OneFlag()), first_log).succeeded);
  const auto first = Tree(root_ / "Game/Mods/My Mod");
  RunLog second_log;
  ASSERT_TRUE(RunGeneration(Inputs(OneFlag()), second_log).succeeded);
  EXPECT_EQ(Tree(root_ / "Game/Mods/My Mod"), first);
}

TEST_F(PipelineTest, AFailedRunLeavesThePreviousModUntouched) {
  RunLog log;
  ASSERT_TRUE(RunGeneration(Inputs(OneFlag()), log).succeeded);
  root_.Write("Game/Mods/My Mod/mine.txt", "the user's own file");
  const auto before = Tree(root_ / "Game/Mods");
  // Slow healing needs an insert file the data folder lacks: the run stops in the middle.
  auto builder = OneFlag();
  builder.Option(110, 1);
  RunLog failing;
  const RunResult result = RunGeneration(Inputs(builder), failing);
  EXPECT_FALSE(result.succeeded);
  EXPECT_EQ(Tree(root_ / "Game/Mods"), before);
  EXPECT_EQ(failing.progress().position, failing.progress().maximum);
}

TEST_F(PipelineTest, RefusedFolderNamesChangeNothing) {
  root_.Write("Game/Mods/keep/file.txt", "x");
  const auto before = Tree(root_.path());
  for (const char* name :
       {"", ".", "..", "a/b", "..\\up", "C:x", "trailing.", "trailing ", "Mods", "mods"}) {
    RunLog log;
    const RunResult result = RunGeneration(Inputs(OneFlag(), name), log);
    EXPECT_FALSE(result.succeeded) << name;
    EXPECT_FALSE(result.failure.empty()) << name;
  }
  EXPECT_EQ(Tree(root_.path()), before);
}

TEST_F(PipelineTest, ReplacesBothOldCopiesOnlyOnceTheNewModIsComplete) {
  root_.Write("Settings/Mods/My Mod/Assets/old.xml", "old");
  root_.Write("Game/Mods/My Mod/stale.txt", "stale");
  const ModFolders folders = LocateModFolders(Inputs(OneFlag()));
  EXPECT_TRUE(folders.exists);
  EXPECT_EQ(folders.replaced.size(), 2u);
  RunLog log;
  ASSERT_TRUE(RunGeneration(Inputs(OneFlag()), log).succeeded);
  EXPECT_FALSE(fs::exists(root_ / "Settings/Mods/My Mod"));
  EXPECT_FALSE(fs::exists(root_ / "Game/Mods/My Mod/stale.txt"));
  EXPECT_TRUE(fs::exists(root_ / "Game/Mods/My Mod/My Mod.ini"));
}

TEST_F(PipelineTest, ADryRunTouchesNothing) {
  const auto before = Tree(root_.path());
  GenerationInputs inputs = Inputs(OneFlag());
  inputs.dry_run = true;
  RunLog log;
  ASSERT_TRUE(RunGeneration(inputs, log).succeeded);
  EXPECT_EQ(Tree(root_.path()), before);
  EXPECT_FALSE(log.written().empty());
}

}  // namespace
}  // namespace generation
