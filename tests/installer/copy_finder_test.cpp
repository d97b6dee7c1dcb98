// Finding the copies of the configurator a pack can go into.
#include "installer/copy_finder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "platform/paths.h"
#include "platform/registry_store.h"
#include "tests/installer/tree_snapshot.h"
#include "tests/support/temp_folder.h"
#include "tools/pe_writer/pe_writer.h"

namespace installer {
namespace {

namespace fs = std::filesystem;
using platform::CopyListEntry;

// A temporary folder with a pack that supports 0.9.8 and 1.5.0.
struct PackOnDisk {
  PackOnDisk() {
    folder.Write("pack/Source/Pack.ini", installer_testing::PackIni());
    folder.Write("pack/Source/Versions.ini", "0.9.8.2k.lang\r\n\r\n1.5.0.2k.lang\r\n");
  }
  testing_support::TempFolder folder;
};

class CopyFinderTest : public ::testing::Test {
 protected:
  // A copy of the configurator whose executable carries `version`.
  fs::path Copy(const std::string& name, const std::string& version = "1.5.0.2") {
    tools::PeVersionOptions options;
    options.file_version = version;
    return folder_.Write(name + "/Vornak.TQ", tools::BuildPeWithVersion(options));
  }

  void Register(platform::RegistryData& data, uint32_t number, const fs::path& exe,
                const std::string& program = "Vornak.TQ") {
    const auto key = platform::CopyListEntryKey(number);
    data.WriteString(key, "ExePatch", platform::PathToAnsi(exe));
    data.WriteString(key, "Version", "1.5.0.2k.lang");
    data.WriteString(key, "ProgramName", program);
    data.WriteDword(platform::kCopyListKey, platform::kCopyListCount, number);
  }

  PackOnDisk disk_;
  const testing_support::TempFolder& folder_ = disk_.folder;
  PackFolder pack_folder_{folder_ / "pack"};
  PackDescription pack_ = *ReadPackDescription(pack_folder_).pack;
  CopyFinder finder_{pack_, pack_folder_, folder_ / "Registry.txt"};
};

TEST(CompatibleCopies, SameProgramWithoutCaseEachPathOnce) {
  const std::vector<CopyListEntry> entries = {
      {"/a/Vornak.TQ", "v", "Vornak.TQ"},   {"/b/Vornak.TQ", "v", "Other.TQ"},
      {"/a/Vornak.TQ", "v", "Vornak.TQ"},   {"/c/Vornak.TQ", "v", "VORNAK.tq"},
      {"/old/Vornak.TQ", "v", "Vornak.TQ"},
  };
  const auto copies = CompatibleCopies(
      entries, "Vornak.TQ", [](const CopyListEntry& e) { return e.exe_path != "/old/Vornak.TQ"; });
  EXPECT_EQ(copies, (std::vector<std::string>{"/a/Vornak.TQ", "/c/Vornak.TQ"}));
}

TEST_F(CopyFinderTest, CompatibleByVersionListOrByThePackagesTheCopyContains) {
  const fs::path exe = Copy("prog");
  struct Case {
    const char* file_version;
    const char* packages;  // nullptr: no Packages.ini
    bool compatible;
  } cases[] = {
      {"1.5.0.2", nullptr, true},  // cut to "1.5.0" on both sides
      {"1.5.0.9", nullptr, true},
      {"1.6.0.0", nullptr, false},
      {"", nullptr, false},  // the empty line of Versions.ini names no version
      {"1.6.0.0", "Static Leaders 1.0/1.0.0\r\nSample Screens 1.0/1.0.0\r\n", true},
      {"1.6.0.0", "Sample Screens 1.0/1.0.1\r\nsample screens 1.0/1.0.0\r\n", false},
  };
  for (const auto& c : cases) {
    fs::remove(folder_ / "prog/Resource/Packages.ini");
    if (c.packages) folder_.Write("prog/Resource/Packages.ini", c.packages);
    EXPECT_EQ(finder_.IsCompatible(c.file_version, exe), c.compatible)
        << c.file_version << " " << (c.packages ? c.packages : "");
  }
}

TEST_F(CopyFinderTest, PrunesTheListThenOffersTheCompatibleCopiesOfThePacksProgram) {
  const fs::path good = Copy("good");
  const fs::path second = Copy("second", "1.5.0.7");
  const fs::path changed = Copy("changed", "1.6.0.0");
  const fs::path other = Copy("other");
  platform::RegistryStore store(folder_ / "Registry.txt");
  store.Modify([&](platform::RegistryData& data) {
    Register(data, 1, folder_ / "gone/Vornak.TQ");
    Register(data, 2, changed);  // now carries another version than it registered
    Register(data, 3, good);
    Register(data, 4, good);
    Register(data, 5, other, "Other.TQ");
    Register(data, 6, second, "vornak.tq");
  });

  finder_.PruneCopyList();
  const auto list = platform::ReadCopyList(store.Read());
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].exe_path, platform::PathToAnsi(good));
  EXPECT_EQ(list[3].exe_path, platform::PathToAnsi(second));

  EXPECT_EQ(finder_.FindCopies(),
            (std::vector<std::string>{platform::PathToAnsi(good), platform::PathToAnsi(second)}));
}

TEST_F(CopyFinderTest, LocatesTheProgramFolderUpToFourLevelsAboveTheChoice) {
  Copy("prog");
  fs::create_directories(folder_ / "prog/a/b/c/d/e");
  EXPECT_EQ(finder_.LocateProgramFolder(folder_ / "prog"), folder_ / "prog");
  EXPECT_EQ(finder_.LocateProgramFolder(folder_ / "prog/a/b/c/"), folder_ / "prog");
  EXPECT_EQ(finder_.LocateProgramFolder(folder_ / "prog/a/b/c/d"), folder_ / "prog");
  EXPECT_EQ(finder_.LocateProgramFolder(folder_ / "prog/a/b/c/d/e"), std::nullopt);
  EXPECT_EQ(finder_.LocateProgramFolder(folder_ / "elsewhere"), std::nullopt);
}

TEST_F(CopyFinderTest, SeesTheCopyRunThroughTheProcessList) {
  // A real process whose executable is <program folder>/Vornak.TQ.
  fs::create_directories(folder_ / "prog");
  fs::create_directories(folder_ / "twin");
  fs::copy_file("/bin/sleep", folder_ / "prog/Vornak.TQ");
  fs::copy_file("/bin/sleep", folder_ / "twin/Vornak.TQ");
  const std::string program = (folder_ / "prog/Vornak.TQ").string();
  char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("30"), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0);

  EXPECT_TRUE(finder_.IsProgramRunning(folder_ / "prog"));
  EXPECT_FALSE(finder_.IsProgramRunning(folder_ / "twin")) << "the same file name elsewhere";
  fs::create_directory_symlink(folder_ / "prog", folder_ / "linked");
  fs::create_directories(folder_ / "relinked");
  fs::create_symlink(folder_ / "prog/Vornak.TQ", folder_ / "relinked/Vornak.TQ");
  EXPECT_TRUE(finder_.IsProgramRunning(folder_ / "linked")) << "the folder by another name";
  EXPECT_TRUE(finder_.IsProgramRunning(folder_ / "relinked")) << "a link to the running file";

  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  EXPECT_FALSE(finder_.IsProgramRunning(folder_ / "prog"));
}

}  // namespace
}  // namespace installer
