// How a run puts its mod in place over the old one: one folder reached by two names, a folder
// that cannot be moved, a run killed at any step, two runs at once, what interrupted runs left,
// and the mode of the folder it makes.
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "generation/mod_folders.h"
#include "generation/pipeline.h"
#include "tests/generation/generation_fixture.h"

namespace generation {
namespace {

namespace fs = std::filesystem;

// Runs `body` in a child process and returns its wait status. The child leaves with _exit, so
// nothing of the test program's state is torn down twice.
int InChild(const std::function<int()>& body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

// The user nobody, who cannot write where the test makes a folder read-only (root can).
constexpr uid_t kNobody = 65534;

class ModSwapTest : public GenerationFixture {
 protected:
  fs::path GameMod() const { return root_ / "Game/Mods/My Mod"; }
  fs::path SettingsMod() const { return root_ / "Settings/Mods/My Mod"; }
  // The user's mod: a game copy with a file of the user's own, and a settings copy.
  void WriteOldCopies() {
    root_.Write("Game/Mods/My Mod/mine.txt", "the user's own file");
    root_.Write("Game/Mods/My Mod/Assets/XML/old.xml", "old");
    root_.Write("Settings/Mods/My Mod/Assets/old.xml", "old settings copy");
  }
  void RemoveMods() {
    fs::remove_all(root_ / "Game/Mods");
    fs::remove_all(root_ / "Settings/Mods");
  }
  std::set<std::string> OnlyTheLock() const { return {std::string(kRunLockFileName)}; }
  std::set<std::string> TheModAndTheLock() const {
    return {"My Mod", std::string(kRunLockFileName)};
  }
};

TEST_F(ModSwapTest, OneFolderReachedByTwoNamesIsReplacedOnce) {
  fs::create_symlink(root_ / "Game", root_ / "Game link");
  const struct {
    const char* what;
    fs::path settings_folder;
    Target target;
  } cases[] = {
      {"the game folder itself", root_ / "Game", Target::kGameFolder},
      {"the game folder with a final slash", root_ / "Game/", Target::kSettingsFolder},
      {"a link to the game folder", root_ / "Game link", Target::kGameFolder},
      {"a link to the game folder, as the target", root_ / "Game link", Target::kSettingsFolder},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveMods();
    root_.Write("Game/Mods/My Mod/mine.txt", "the user's own file");
    root_.Write("Game/Mods/My Mod/Assets/old.xml", "old");
    GenerationInputs inputs = Inputs();
    inputs.game_settings_folder = c.settings_folder.string();
    inputs.target = c.target;
    RunLog log;
    const RunResult result = RunGeneration(inputs, log);
    EXPECT_TRUE(result.succeeded) << result.failure;
    EXPECT_EQ(Entries(root_ / "Game/Mods"), TheModAndTheLock());
    EXPECT_TRUE(fs::exists(GameMod() / "My Mod.ini"));
    EXPECT_FALSE(fs::exists(GameMod() / "mine.txt"));
  }
}

TEST_F(ModSwapTest, ACopyThatCannotMoveAsideLeavesBothCopiesWhereTheyWere) {
  WriteOldCopies();
  const auto game_before = Tree(root_ / "Game/Mods");
  const auto settings_before = Tree(root_ / "Settings/Mods");
  // The settings copy's Mods folder is read-only; the run works as a user the mode binds.
  if (geteuid() == 0) {
    for (const auto& entry : fs::recursive_directory_iterator(root_.path())) {
      lchown(entry.path().c_str(), kNobody, kNobody);
    }
    lchown(root_.path().c_str(), kNobody, kNobody);
  }
  fs::permissions(root_ / "Settings/Mods", fs::perms::owner_write | fs::perms::group_write,
                  fs::perm_options::remove);
  const int status = InChild([&] {
    if (geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      return 3;
    }
    RunLog log;
    return RunGeneration(Inputs(), log).succeeded ? 0 : 1;
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(Tree(root_ / "Game/Mods"), game_before);
  EXPECT_EQ(Tree(root_ / "Settings/Mods"), settings_before);
}

TEST_F(ModSwapTest, AFailedSwapPutsTheCopySetAsideBack) {
  // A file of the user's at the target's name: the new mod cannot take its place, after the
  // settings copy has already stepped aside.
  root_.Write("Game/Mods/My Mod", "a file, not a mod");
  root_.Write("Settings/Mods/My Mod/Assets/old.xml", "old settings copy");
  const auto game_before = Tree(root_ / "Game/Mods");
  const auto settings_before = Tree(root_ / "Settings/Mods");
  RunLog log;
  const RunResult result = RunGeneration(Inputs(), log);
  EXPECT_FALSE(result.succeeded);
  EXPECT_TRUE(result.previous_mod_unchanged);
  EXPECT_EQ(Tree(root_ / "Game/Mods"), game_before);
  EXPECT_EQ(Tree(root_ / "Settings/Mods"), settings_before);
}

class ModSwapKillTest : public ModSwapTest, public ::testing::WithParamInterface<bool> {
 protected:
  ~ModSwapKillTest() override { TestHooks() = {}; }
};

TEST_P(ModSwapKillTest, AKillBetweenAnyTwoStepsLeavesOneCompleteModAndTheNextRunCleansUp) {
  // The new mod as a complete run writes it, and the user's old mod.
  RunLog reference;
  ASSERT_TRUE(RunGeneration(Inputs(), reference).succeeded);
  const auto new_mod = Tree(GameMod());
  RemoveMods();
  WriteOldCopies();
  const auto old_mod = Tree(GameMod());
  const auto old_settings_copy = Tree(SettingsMod());
  fs::copy(root_ / "Game/Mods", root_ / "Game Mods before", fs::copy_options::recursive);
  fs::copy(root_ / "Settings/Mods", root_ / "Settings Mods before", fs::copy_options::recursive);

  TestHooks().exchange_unavailable = GetParam();
  int kill_at = 1;
  int cleanups_killed = 0;
  for (;; ++kill_at) {
    SCOPED_TRACE("killed after step " + std::to_string(kill_at));
    RemoveMods();
    fs::copy(root_ / "Game Mods before", root_ / "Game/Mods", fs::copy_options::recursive);
    fs::copy(root_ / "Settings Mods before", root_ / "Settings/Mods", fs::copy_options::recursive);
    const int status = InChild([&] {
      int steps = 0;
      TestHooks().after_step = [&] {
        if (++steps == kill_at) raise(SIGKILL);
      };
      RunLog log;
      return RunGeneration(Inputs(), log).succeeded ? 0 : 1;
    });
    if (WIFEXITED(status)) {
      // The run went through every step: they have all been tried.
      EXPECT_EQ(WEXITSTATUS(status), 0);
      break;
    }
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    // With the exchange a complete mod stands at the name at every moment. With two renames
    // there is a moment without one; the old mod is then set aside for the next run to restore.
    const auto at_name = Tree(GameMod());
    const bool two_renames = GetParam();
    if (!two_renames) {
      EXPECT_TRUE(at_name == old_mod || at_name == new_mod);
    }

    // The next run first cleans up, and may itself be killed at any step of that. A run that
    // cleans up whole then finds the mod at the name as it was (or the old one back), a settings
    // copy set aside back when the old mod stands, and nothing else.
    const fs::path after_kill = root_ / "after the kill";
    fs::remove_all(after_kill);
    fs::create_directories(after_kill);
    fs::copy(root_ / "Game/Mods", after_kill / "Game", fs::copy_options::recursive);
    fs::copy(root_ / "Settings/Mods", after_kill / "Settings", fs::copy_options::recursive);
    for (int cleanup_kill_at = 1;; ++cleanup_kill_at) {
      SCOPED_TRACE("cleanup killed after step " + std::to_string(cleanup_kill_at));
      RemoveMods();
      fs::copy(after_kill / "Game", root_ / "Game/Mods", fs::copy_options::recursive);
      fs::copy(after_kill / "Settings", root_ / "Settings/Mods", fs::copy_options::recursive);
      const int cleanup = InChild([&] {
        int steps = 0;
        TestHooks().after_step = [&] {
          if (++steps == cleanup_kill_at) raise(SIGKILL);
        };
        return PrepareGeneration(Inputs()).problem ? 1 : 0;
      });
      ASSERT_TRUE(WIFSIGNALED(cleanup) || (WIFEXITED(cleanup) && WEXITSTATUS(cleanup) == 0));

      RunPlan plan = PrepareGeneration(Inputs());
      ASSERT_FALSE(plan.problem) << *plan.problem;
      const auto after_cleanup = Tree(GameMod());
      const bool old_stands = after_cleanup == old_mod;
      EXPECT_TRUE(old_stands || after_cleanup == new_mod);
      if (!at_name.empty()) {
        EXPECT_EQ(after_cleanup, at_name);
      }
      if (old_stands) {
        EXPECT_EQ(Tree(SettingsMod()), old_settings_copy);
      }
      const auto settings_entries = Entries(root_ / "Settings/Mods");
      EXPECT_TRUE(settings_entries == OnlyTheLock() || settings_entries == TheModAndTheLock());
      EXPECT_EQ(Entries(root_ / "Game/Mods"), TheModAndTheLock());
      if (WIFSIGNALED(cleanup)) {
        ++cleanups_killed;
        continue;
      }

      // Then it replaces the mod.
      RunLog log;
      ASSERT_TRUE(RunGeneration(Inputs(), std::move(plan), log).succeeded);
      EXPECT_EQ(Tree(GameMod()), new_mod);
      EXPECT_EQ(Entries(root_ / "Game/Mods"), TheModAndTheLock());
      EXPECT_EQ(Entries(root_ / "Settings/Mods"), OnlyTheLock());
      break;
    }
  }
  // Staging, setting both copies aside, the swap, discarding both: at least that many steps.
  EXPECT_GE(kill_at, 6);
  EXPECT_GT(cleanups_killed, 0);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutExchange, ModSwapKillTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "TwoRenames" : "Exchange"; });

TEST_F(ModSwapTest, ASecondRunIsRefusedWhileTheFirstHoldsTheModsFolder) {
  WriteOldCopies();
  int to_parent[2];
  int to_child[2];
  ASSERT_EQ(pipe(to_parent), 0);
  ASSERT_EQ(pipe(to_child), 0);
  const pid_t first = fork();
  if (first == 0) {
    // The first run stops after its first step until the test lets it go on.
    TestHooks().after_step = [&] {
      char byte = 0;
      if (write(to_parent[1], &byte, 1) != 1 || read(to_child[0], &byte, 1) != 1) _exit(4);
      TestHooks().after_step = nullptr;
    };
    RunLog log;
    _exit(RunGeneration(Inputs(), log).succeeded ? 0 : 1);
  }
  char byte = 0;
  ASSERT_EQ(read(to_parent[0], &byte, 1), 1);
  const auto game_before = Tree(root_ / "Game/Mods");
  const auto settings_before = Tree(root_ / "Settings/Mods");

  RunLog log;
  const RunResult second = RunGeneration(Inputs(), log);
  EXPECT_FALSE(second.succeeded);
  // The message names the other run.
  EXPECT_NE(second.failure.find(std::to_string(first)), std::string::npos) << second.failure;
  EXPECT_EQ(Tree(root_ / "Game/Mods"), game_before);
  EXPECT_EQ(Tree(root_ / "Settings/Mods"), settings_before);

  ASSERT_EQ(write(to_child[1], &byte, 1), 1);
  int status = 0;
  waitpid(first, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fs::exists(GameMod() / "My Mod.ini"));
  EXPECT_EQ(Entries(root_ / "Game/Mods"), TheModAndTheLock());
  for (int fd : {to_parent[0], to_parent[1], to_child[0], to_child[1]}) close(fd);
}

TEST_F(ModSwapTest, ARunRemovesWhatInterruptedRunsOfTheModLeft) {
  WriteOldCopies();
  // An interrupted run's staging folders, an old copy it set aside (under the other spelling of
  // the name), and half a copy it was deleting.
  root_.Write("Game/Mods/.My Mod.new-a1B2c3/Assets/half.xml", "half a mod");
  fs::create_directories(root_ / "Game/Mods/.My Mod.new-q1w2e3");
  root_.Write("Game/Mods/.my mod.old-Zz9yY8/mine.txt", "an older copy");
  root_.Write("Settings/Mods/.My Mod.del-k9k9k9/x.txt", "half deleted");
  // Not ours to remove: another mod's leftovers and names that only look alike.
  root_.Write("Game/Mods/.Other.new-a1b2c3/x.txt", "x");
  root_.Write("Game/Mods/.My Mod.new-toolong/x.txt", "x");
  root_.Write("Game/Mods/.My Mod.new-a1b2c3.txt", "a file");
  RunLog log;
  ASSERT_TRUE(RunGeneration(Inputs(), log).succeeded);
  EXPECT_EQ(Entries(root_ / "Game/Mods"),
            (std::set<std::string>{".My Mod.new-a1b2c3.txt", ".My Mod.new-toolong",
                                   ".Other.new-a1b2c3", "My Mod", std::string(kRunLockFileName)}));
  EXPECT_EQ(Entries(root_ / "Settings/Mods"), OnlyTheLock());
}

TEST_F(ModSwapTest, AnOldCopyAnInterruptedRunSetAsideIsBackBeforeTheQuestion) {
  // Killed between setting the old mod aside and putting the new one in its place.
  root_.Write("Game/Mods/.My Mod.old-Zz9yY8/mine.txt", "the user's own file");
  root_.Write("Game/Mods/.My Mod.new-a1B2c3/My Mod.ini", "the new mod, complete");
  const RunPlan plan = PrepareGeneration(Inputs());
  ASSERT_FALSE(plan.problem);
  EXPECT_TRUE(plan.folders.exists);
  EXPECT_EQ(plan.folders.replaced, std::vector<fs::path>{GameMod()});
  EXPECT_EQ(root_.Read("Game/Mods/My Mod/mine.txt"), "the user's own file");
  EXPECT_EQ(Entries(root_ / "Game/Mods"), TheModAndTheLock());
}

TEST_F(ModSwapTest, TheModFolderHasTheModeTheUmaskGives) {
  for (const mode_t mask : {022, 027, 002}) {
    SCOPED_TRACE(mask);
    const mode_t before = umask(mask);
    RunLog log;
    const bool succeeded = RunGeneration(Inputs(), log).succeeded;
    umask(before);
    ASSERT_TRUE(succeeded);
    struct stat status {};
    ASSERT_EQ(stat(GameMod().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0777 & ~mask);
  }
}

}  // namespace
}  // namespace generation
