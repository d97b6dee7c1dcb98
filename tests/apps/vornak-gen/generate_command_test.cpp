// The real `vornak-gen generate` on the embedded data, in a temporary folder that holds the program
// folder, the game, the desktop and the user's HOME with its XDG folders and registry store.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_io.h"
#include "tests/support/private_home.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct Finished {
  int exit_code = -1;  // -1: killed after the time limit
  std::string output;  // standard output and error
};

constexpr char kModName[] = "Test Mod";
constexpr char kOneFlag[] = "[Settings flags]\r\nRUSSIA=Imperial\r\n";

class GenerateCommandTest : public ::testing::Test {
 protected:
  GenerateCommandTest() {
    for (const char* folder : {"home/.config", "home/.local/share", "home/tmp", "home/run",
                               "Desktop", "Game/Mods", "My Games"}) {
      fs::create_directories(folder_ / folder);
    }
    fs::permissions(folder_ / "home/run", fs::perms::owner_all, fs::perm_options::replace);
    folder_.Write("Game/Civ4BeyondSword.exe", "MZ");
    folder_.Write("My Games/CivilizationIV.ini", "");
    fs::create_directories(program_);
    fs::copy(VORNAK_SAMPLE_DATA, program_ / "DATA", fs::copy_options::recursive);
  }

  // Runs vornak-gen generate on the test's folders with `args` added; a run that does not end
  // within the time limit is killed.
  Finished Generate(const std::vector<std::string>& args) {
    std::vector<std::string> arg_texts = {"generate",
                                          "--program",
                                          program_.string(),
                                          "--game",
                                          (folder_ / "Game").string(),
                                          "--settings",
                                          (folder_ / "My Games").string(),
                                          "--name",
                                          kModName};
    arg_texts.insert(arg_texts.end(), args.begin(), args.end());
    const fs::path log = folder_ / "output.txt";
    const pid_t pid =
        testing_support::StartInPrivateHome(VORNAK_GEN_BINARY, arg_texts, folder_ / "home", log);
    Finished run;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        run.output = "killed after the time limit\n";
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
    run.output += platform::ReadFileBytes(log).value_or("");
    return run;
  }

  fs::path Config(const std::string& text) const { return folder_.Write("Config.vkm", text); }
  fs::path Mod() const { return folder_ / "Game/Mods" / kModName; }
  fs::path ProgramLog() const { return program_ / "ErrorLog/Error.Log"; }
  fs::path PerUserLog() const { return folder_ / "home/.local/share/Vornak.TQ/ErrorLog/Error.Log"; }

  testing_support::TempFolder folder_;
  fs::path program_ = folder_ / "Program";
};

// The value of a define of GlobalDefinesAlt.xml, "" when it is not there.
std::string DefineValue(const std::string& file, const std::string& name) {
  const size_t define = file.find("<DefineName>" + name + "</DefineName>");
  if (define == std::string::npos) return "";
  const size_t start = file.find("<iDefineIntVal>", define);
  const size_t end = file.find("</iDefineIntVal>", start);
  if (start == std::string::npos || end == std::string::npos) return "";
  return file.substr(start + 15, end - start - 15);
}

TEST_F(GenerateCommandTest, CountersOutsideTheirRangeReachTheGameFilesClamped) {
  const fs::path config = Config(std::string(kOneFlag) +
                                 "[Settings other options]\r\n50=-5\r\n32=-32768\r\n36=32767\r\n"
                                 "34=5\r\n");
  const Finished run =
      Generate({"--config", config.string(), "--desktop", (folder_ / "Desktop").string()});
  ASSERT_EQ(run.exit_code, 0) << run.output;
  const std::string defines =
      platform::ReadFileBytes(Mod() / "Assets/XML/GlobalDefinesAlt.xml").value_or("");
  EXPECT_EQ(DefineValue(defines, "MIN_CITY_RANGE"), "1") << defines;
  EXPECT_EQ(DefineValue(defines, "MAX_NATIONAL_WONDERS_PER_CITY"), "1");
  EXPECT_EQ(DefineValue(defines, "EVENT_PROBABILITY_ROLL_SIDES"), "200");
  EXPECT_EQ(DefineValue(defines, "BARBARIAN_MAX_XP_VALUE"), "5");
  EXPECT_FALSE(fs::exists(ProgramLog()));
  EXPECT_FALSE(fs::exists(PerUserLog()));
}

// A run whose shortcut fails has generated the mod, but says so with its exit code and logs the
// failure where the window would: in the program folder, or in the per-user folder when the
// program folder cannot be written (its Resource folder cannot be made there).
TEST_F(GenerateCommandTest, ReportedErrorsAreLoggedAndMakeTheRunFail) {
  const fs::path config = Config(kOneFlag);
  const fs::path desktop = folder_.Write("Desktop.file", "not a folder");
  struct Case {
    const char* name;
    bool program_writable;
  } cases[] = {{"program folder", true}, {"per-user folder", false}};
  for (const Case& c : cases) {
    if (!c.program_writable) {
      fs::remove_all(program_ / "Resource");
      folder_.Write("Program/Resource", "not a folder");
    }
    const fs::path log = c.program_writable ? ProgramLog() : PerUserLog();
    const Finished run =
        Generate({"--config", config.string(), "--desktop", desktop.string(), "--yes"});
    EXPECT_EQ(run.exit_code, 3) << c.name << "\n" << run.output;
    EXPECT_NE(run.output.find("the error log is " + log.string()), std::string::npos)
        << c.name << "\n"
        << run.output;
    EXPECT_NE(platform::ReadFileBytes(log).value_or("").find("UP.008-05"), std::string::npos)
        << c.name;
    EXPECT_TRUE(fs::exists(Mod() / "Assets/XML/GlobalDefinesAlt.xml")) << c.name;
  }
}

// What --config names must be a regular file of sensible size; anything else is refused before
// it is opened, so nothing blocks and nothing is read without end.
TEST_F(GenerateCommandTest, AConfigurationThatIsNoRegularFileIsRefusedAtOnce) {
  fs::create_directories(folder_ / "Folder.vkm");
  ASSERT_EQ(mkfifo((folder_ / "Fifo.vkm").c_str(), 0600), 0);
  const fs::path large = Config(kOneFlag);
  fs::resize_file(large, 5 * 1024 * 1024);  // sparse: the size is what counts
  for (const fs::path& config :
       {folder_ / "Folder.vkm", folder_ / "Fifo.vkm", fs::path("/dev/zero"), large}) {
    const Finished run =
        Generate({"--config", config.string(), "--desktop", (folder_ / "Desktop").string()});
    EXPECT_EQ(run.exit_code, 2) << config << "\n" << run.output;
    EXPECT_NE(run.output.find(config.string()), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(Mod())) << config;
  }
}

}  // namespace
