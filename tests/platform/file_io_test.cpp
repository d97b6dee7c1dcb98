#include "platform/file_io.h"

#include <gtest/gtest.h>

#include "platform/system_error.h"
#include "tests/support/temp_folder.h"

namespace platform {
namespace {

TEST(WriteFileAtomic, ReplacesTheFileAndLeavesNoScratchFile) {
  testing_support::TempFolder folder;
  folder.Write("a/log.txt", "old");
  WriteFileAtomic(folder / "a/log.txt", "new");
  EXPECT_EQ(folder.Read("a/log.txt"), "new");
  WriteFileAtomic(folder / "b/c/new.txt", "made");  // parents are created
  EXPECT_EQ(folder.Read("b/c/new.txt"), "made");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "a"), {}), 1);
}

TEST(WriteFileAtomic, AFailedReplaceKeepsTheOldContent) {
  testing_support::TempFolder folder;
  folder.Write("target/keep.txt", "precious");  // the target is a folder: rename must fail
  EXPECT_THROW(WriteFileAtomic(folder / "target", "new"), SystemError);
  EXPECT_EQ(folder.Read("target/keep.txt"), "precious");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace platform
