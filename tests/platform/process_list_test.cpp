#include "platform/process_list.h"

#include <gtest/gtest.h>

#include "platform/folders.h"

namespace platform {
namespace {

TEST(ProcessList, FindsTheRunningExecutable) {
  const auto self = ExecutablePath();
  ASSERT_FALSE(self.empty());
  EXPECT_TRUE(IsExecutableRunning(self));
  EXPECT_FALSE(IsExecutableRunning(self.parent_path() / "no such program"));
}

}  // namespace
}  // namespace platform
