// The real Packrane.TQ, unattended, against configurator copies set up in a temporary folder the
// way the configurator sets itself up (its headless start-up registers it and writes its
// Resource/Packages.ini), with HOME, the XDG folders, the temporary folder and the registry
// store inside that folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/file_version.h"
#include "tests/support/private_home.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr char kComponent[] = "DATA/Components/Sample LoadingScreens 1.0/";
constexpr char kScreens[] = "DATA/Art/Interface/Screens/LoadingScreens/";

struct Finished {
  int exit_code = -1;
  std::string output;  // standard output and error
};

class PackraneTest : public ::testing::Test {
 protected:
  PackraneTest() {
    for (const char* folder : {"home/.config", "home/.local/share", "home/tmp", "home/run"}) {
      fs::create_directories(folder_ / folder);
    }
    fs::permissions(folder_ / "home/run", fs::perms::owner_all, fs::perm_options::replace);
  }

  // Starts `program` with the test's environment; when `wait` is false returns at once with the
  // process id as the exit code.
  Finished Start(const fs::path& program, const std::vector<std::string>& args, bool wait = true) {
    const fs::path log = folder_ / "output.txt";
    const pid_t pid = testing_support::StartInPrivateHome(program, args, folder_ / "home", log);
    Finished run;
    if (!wait) {
      run.exit_code = pid;
      return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.output = platform::ReadFileBytes(log).value_or("");
    return run;
  }

  // A program folder of the configurator, started once so that it is registered.
  fs::path Configurator(const std::string& name) {
    const fs::path program = folder_ / "Programs" / name;
    fs::create_directories(program);
    fs::copy_file(STAND_IN_BINARY, program / "Vornak.TQ");
    const Finished started = Start(VORNAK_GEN_BINARY, {"startup", "--program", program.string()});
    EXPECT_EQ(started.exit_code, 0) << started.output;
    return program;
  }

  // The sample pack with the installer beside its Source folder.
  fs::path StagePack() {
    const fs::path pack = folder_ / "pack";
    fs::copy(SAMPLE_PACK, pack, fs::copy_options::recursive);
    fs::copy_file(PACKRANE_BINARY, pack / "Packrane.TQ");
    return pack / "Packrane.TQ";
  }

  std::string Read(const fs::path& file) {
    return platform::ReadFileBytes(file).value_or("<missing>");
  }

  testing_support::TempFolder folder_;
};

TEST_F(PackraneTest, InstallsTheSamplePackIntoTheRegisteredCopyWhichThenStarts) {
  const fs::path program = Configurator("Vornak.TQ");
  platform::WriteFileAtomic(program / "Resource/Sample LoadingScreens 0.9.txt", "leftover");
  platform::WriteFileAtomic(
      program / "Resource/Uninstall.ini",
      "[Base]\r\nDATA\\Components\\Sample LoadingScreens 0.9\\Components.ini"
      "\r\n[Sample LoadingScreens 1.0]\r\nHelp\\Sample LoadingScreens.txt\r\n");
  const fs::path installer = StagePack();
  EXPECT_EQ(platform::FileVersionText(installer), "1.0.0.0");

  const Finished run = Start(installer, {"--silent"});
  ASSERT_EQ(run.exit_code, 0) << run.output;
  EXPECT_NE(run.output.find("Пакет установлен успешно!"), std::string::npos) << run.output;

  const fs::path component = program / kComponent;
  EXPECT_EQ(Read(component / "Version.ini"), "1.0.0\r\n");
  EXPECT_EQ(Read(component / "OldVersions.ini"), "0.9.0\r\n");
  EXPECT_EQ(Read(component / kScreens / "SampleDawn.dds"),
            Read(folder_ / "pack/Source/PACK" / kScreens / "SampleDawn.dds"));
  EXPECT_TRUE(fs::exists(component / kScreens / "SampleDusk.dds"));
  EXPECT_TRUE(fs::exists(component / "Components.ini"));
  EXPECT_TRUE(fs::exists(program / "Help/Sample LoadingScreens.txt"));
  EXPECT_FALSE(fs::exists(program / "Resource/Sample LoadingScreens 0.9.txt"));
  EXPECT_EQ(Read(program / "Resource/InstallComponents.ini"),
            "Sample LoadingScreens 1.0/1.0.0\r\n");
  EXPECT_EQ(Read(program / "Resource/Uninstall.ini"),
            "[Base]\r\n[Sample LoadingScreens 1.0]\r\n"
            "DATA\\Components\\Sample LoadingScreens 1.0\\Components.ini\r\n"
            "DATA\\Components\\Sample LoadingScreens 1.0\\DATA\\Art\\Interface\\Screens\\"
            "LoadingScreens\\SampleDawn.dds\r\n"
            "DATA\\Components\\Sample LoadingScreens 1.0\\DATA\\Art\\Interface\\Screens\\"
            "LoadingScreens\\SampleDusk.dds\r\n"
            "DATA\\Components\\Sample LoadingScreens 1.0\\Version.ini\r\n"
            "DATA\\Components\\Sample LoadingScreens 1.0\\OldVersions.ini\r\n"
            "Help\\Sample LoadingScreens.txt\r\n");

  // The configurator itself starts in the folder the pack went into, and closes when another copy
  // asks it to.
  fs::copy_file(CONFIGURATOR_BINARY, program / "Vornak.TQ", fs::copy_options::overwrite_existing);
  const pid_t configurator = Start(program / "Vornak.TQ", {}, /*wait=*/false).exit_code;
  bool closed = false;
  for (int i = 0; i < 200 && !closed; ++i) {
    usleep(50'000);
    closed = Start(VORNAK_GEN_BINARY, {"message", "close"}).exit_code == 0;
  }
  int status = -1;
  if (!closed) kill(configurator, SIGKILL);
  waitpid(configurator, &status, 0);
  EXPECT_TRUE(closed);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(fs::exists(program / "Settings/Vornak.ini"));
  EXPECT_TRUE(fs::exists(program / kComponent / "Version.ini"));

  // Again: the installed version is not overwritten unattended.
  const auto before = Read(program / "Resource/Uninstall.ini");
  const Finished again = Start(installer, {"--silent"});
  EXPECT_EQ(again.exit_code, 1) << again.output;
  EXPECT_NE(again.output.find("перезаписать"), std::string::npos) << again.output;
  EXPECT_EQ(Read(program / "Resource/Uninstall.ini"), before);
}

TEST_F(PackraneTest, SeveralCopiesNeedATargetAndARunningCopyIsLeftAlone) {
  const fs::path first = Configurator("First");
  const fs::path second = Configurator("Second");
  const fs::path installer = StagePack();

  const Finished ambiguous = Start(installer, {"--silent"});
  EXPECT_EQ(ambiguous.exit_code, 1) << ambiguous.output;
  EXPECT_NE(ambiguous.output.find("--target"), std::string::npos) << ambiguous.output;

  const Finished running_copy = Start(second / "Vornak.TQ", {"30"}, /*wait=*/false);
  const pid_t pid = running_copy.exit_code;
  // Until the child has replaced itself with the stand-in, it shows as the test program.
  const fs::path exe_link = "/proc/" + std::to_string(pid) + "/exe";
  std::error_code ec;
  for (int i = 0; i < 250 && fs::read_symlink(exe_link, ec) != second / "Vornak.TQ"; ++i) {
    usleep(20'000);
  }
  const Finished refused = Start(installer, {"--silent", "--target", second.string()});
  // The same folder by another name runs all the same.
  fs::create_directory_symlink(second, folder_ / "Second by link");
  const Finished refused_by_link =
      Start(installer, {"--silent", "--target", (folder_ / "Second by link").string()});
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  for (const Finished& run : {refused, refused_by_link}) {
    EXPECT_EQ(run.exit_code, 1) << run.output;
    EXPECT_NE(run.output.find("запущена в данный момент"), std::string::npos) << run.output;
  }
  EXPECT_FALSE(fs::exists(second / kComponent));

  fs::create_directories(first / "Mods/Any");
  const Finished chosen = Start(
      installer, {"--silent", "--target", (first / "Mods/Any").string(), "--language", "english"});
  EXPECT_EQ(chosen.exit_code, 0) << chosen.output;
  EXPECT_NE(chosen.output.find("The pack was installed successfully!"), std::string::npos)
      << chosen.output;
  EXPECT_TRUE(fs::exists(first / kComponent / "Version.ini"));
}

TEST_F(PackraneTest, RefusesBrokenPacksAndWrongArguments) {
  Configurator("Vornak.TQ");
  const fs::path installer = StagePack();
  const fs::path description = folder_ / "pack/Source/Pack.ini";

  struct Case {
    const char* name;
    const char* pack_ini;  // nullptr: no Pack.ini
    std::vector<std::string> args;
    int exit_code;
    const char* output;
  } cases[] = {
      {"no description", nullptr, {"--silent"}, 1, "Pack.ini is missing"},
      {"short description", "Title\r\nVornak.TQ\r\n", {"--silent"}, 1, "incomplete"},
      {"component folder outside",
       "T\r\nVornak.TQ\r\nVornak.TQ\r\nC\r\n..\\..\\..\\x\r\n1.0\r\n",
       {"--silent"},
       1,
       "Line 5"},
      {"unknown language", "", {"--silent", "--language", "Klingon"}, 2, "No language"},
      {"target without --silent", "", {"--target", "/tmp"}, 2, "usage"},
  };
  const std::string good = Read(description);
  for (const auto& c : cases) {
    fs::remove(description);
    if (c.pack_ini) platform::WriteFileAtomic(description, *c.pack_ini ? c.pack_ini : good);
    const Finished run = Start(installer, c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.name << "\n" << run.output;
    EXPECT_NE(run.output.find(c.output), std::string::npos) << c.name << "\n" << run.output;
  }
  EXPECT_FALSE(fs::exists(folder_ / "Programs/Vornak.TQ" / kComponent));
}

}  // namespace
