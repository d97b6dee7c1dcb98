#include "platform/named_mutex.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

TEST(NamedMutex, ExistsWhileAnyHandleIsOpen) {
  testing_support::TempFolder folder;
  NamedMutex first = NamedMutex::CreateIn(folder.path(), "Vornak.TQ 1.5.0.2k.lang");
  EXPECT_FALSE(first.already_existed());
  {
    NamedMutex second = NamedMutex::CreateIn(folder.path(), "Vornak.TQ 1.5.0.2k.lang");
    EXPECT_TRUE(second.already_existed());
    EXPECT_FALSE(NamedMutex::CreateIn(folder.path(), "Vornak.TQ").already_existed());
  }
  first.Close();
  EXPECT_FALSE(NamedMutex::CreateIn(folder.path(), "Vornak.TQ 1.5.0.2k.lang").already_existed());
}

TEST(NamedMutex, AnotherProcessSeesTheName) {
  testing_support::TempFolder folder;
  NamedMutex held = NamedMutex::CreateIn(folder.path(), "a/b");  // separators stay in the name
  const pid_t child = fork();
  if (child == 0) {
    const bool existed = NamedMutex::CreateIn(folder.path(), "a/b").already_existed();
    _exit(existed ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace platform
