#include "shell/file_operations.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace shell {
namespace {

namespace fs = std::filesystem;

TEST(CopyFileTo, CreatesTheFolderAndHonoursNoOverwrite) {
  testing_support::TempFolder root;
  const auto source = root.Write("src/a.txt", "new");
  ASSERT_TRUE(CopyFileTo(source, root.path().string() + "/out/deep//", "b.txt", false));
  EXPECT_EQ(root.Read("out/deep/b.txt"), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(root / "out/deep"), {}), 1);  // no "" folder

  root.Write("out/deep/c.txt", "old");
  EXPECT_TRUE(CopyFileTo(source, root / "out/deep", "c.txt", true));
  EXPECT_EQ(root.Read("out/deep/c.txt"), "old");
  EXPECT_TRUE(CopyFileTo(source, root / "out/deep", "c.txt", false));
  EXPECT_EQ(root.Read("out/deep/c.txt"), "new");
  EXPECT_FALSE(CopyFileTo(root / "src/missing.txt", root / "out", "x", false));
}

TEST(CopyFileTo, AnEmptyNameCopiesAFolderWhole) {
  testing_support::TempFolder root;
  root.Write("Flags/Rus/flag.dds", "f");
  ASSERT_TRUE(CopyFileTo(root / "Flags/Rus", root / "Mod/Art", "", false));
  EXPECT_EQ(root.Read("Mod/Art/Rus/flag.dds"), "f");
}

TEST(CopyFolder, MergesAndKeepsExistingFilesWhenAsked) {
  testing_support::TempFolder root;
  root.Write("src/a.txt", "a2");
  root.Write("src/sub/b.txt", "b2");
  root.Write("dst/a.txt", "a1");
  ASSERT_TRUE(CopyFolder(root / "src", root / "dst", true));
  EXPECT_EQ(root.Read("dst/a.txt"), "a1");
  EXPECT_EQ(root.Read("dst/sub/b.txt"), "b2");
}

TEST(DeleteFolder, RefusesDangerousTargets) {
  testing_support::TempFolder root;
  for (const char* bad : {"", "/", "relative/folder", "/.."}) {
    EXPECT_FALSE(DeleteFolder(bad)) << bad;
  }
  EXPECT_TRUE(fs::exists(root.path()));
}

TEST(DeleteFolder, RemovesReadOnlyContentButNeverFollowsLinks) {
  testing_support::TempFolder root;
  root.Write("outside/keep.txt", "keep");
  root.Write("victim/sub/file.txt", "x");
  fs::create_directory_symlink(root / "outside", root / "victim/link");
  fs::permissions(root / "victim/sub/file.txt", fs::perms::owner_read);
  fs::permissions(root / "victim/sub", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_TRUE(DeleteFolder(root / "victim"));
  EXPECT_FALSE(fs::exists(root / "victim"));
  EXPECT_EQ(root.Read("outside/keep.txt"), "keep");
  EXPECT_TRUE(DeleteFolder(root / "victim"));  // already gone: nothing to do
}

}  // namespace
}  // namespace shell
