#include "platform/file_io.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <set>
#include <thread>
#include <vector>

#include "platform/system_error.h"
#include "tests/support/temp_folder.h"

namespace platform {
namespace {

using testing_support::TempFolder;

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Sets the file's modification time `seconds` into the past (without following a link).
void Age(const fs::path& path, int seconds) {
  const timespec times[2] = {{time(nullptr) - seconds, 0}, {time(nullptr) - seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// Runs `body` in a child process and returns its exit status; with `as_ordinary_user` the child
// runs as "nobody" when the tests run as root, so that the system's permission checks apply to it
// as they do to the user's programs.
int InChild(const std::function<int()>& body, bool as_ordinary_user) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (as_ordinary_user && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
      _exit(100);
    }
    _exit(body());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

TEST(WriteFileAtomic, ReplacesTheFileAndLeavesNoScratchFile) {
  TempFolder folder;
  folder.Write("a/log.txt", "old");
  WriteFileAtomic(folder / "a/log.txt", "new");
  EXPECT_EQ(folder.Read("a/log.txt"), "new");
  WriteFileAtomic(folder / "b/c/new.txt", "made");  // parents are created
  EXPECT_EQ(folder.Read("b/c/new.txt"), "made");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "a"), {}), 1);
}

// A new file gets the mode the umask allows, and reading the umask leaves it as it was (so a
// file another thread creates meanwhile keeps its mode too).
TEST(WriteFileAtomic, ANewFileGetsTheModeOfTheUmask) {
  TempFolder folder;
  for (const mode_t mask : {mode_t{027}, mode_t{002}, mode_t{077}}) {
    const mode_t before = umask(mask);
    EXPECT_EQ(CurrentUmask(), mask);
    const auto file = folder / ("new-" + std::to_string(mask) + ".txt");
    WriteFileAtomic(file, "made");
    const mode_t after = umask(before);
    EXPECT_EQ(after, mask);
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << std::oct << mask;
  }
}

TEST(WriteFileAtomic, AFailedReplaceKeepsTheOldContent) {
  TempFolder folder;
  folder.Write("target/keep.txt", "precious");  // the target is a folder: rename must fail
  EXPECT_THROW(WriteFileAtomic(folder / "target", "new"), SystemError);
  EXPECT_EQ(folder.Read("target/keep.txt"), "precious");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(WriteFileAtomic, TheReplacedFileKeepsItsModeAndGroup) {
  for (const mode_t mode : {0600, 0640, 0664, 0755}) {
    SCOPED_TRACE(mode);
    TempFolder folder;
    const fs::path file = folder.Write("state.ini", "old");
    ASSERT_EQ(chmod(file.c_str(), mode), 0);
    // Another group than the process's own, where this process may give one.
    const gid_t group = geteuid() == 0 ? 65534 : getegid();
    if (geteuid() == 0) {
      ASSERT_EQ(chown(file.c_str(), static_cast<uid_t>(-1), group), 0);
    }
    WriteFileAtomic(file, "new");
    EXPECT_EQ(folder.Read("state.ini"), "new");
    EXPECT_EQ(ModeOf(file), mode);
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_gid, group);
  }
}

// The owner's write permission decides, not an attempt to write: the system lets a privileged
// process write anyway, and the user's choice must hold for every process.
TEST(WriteFileAtomic, RefusesAFileItsOwnerMadeReadOnly) {
  for (const mode_t mode : {0444, 0400, 0555, 0066}) {
    SCOPED_TRACE(mode);
    TempFolder folder;
    const fs::path file = folder.Write("data/state.ini", "precious");
    ASSERT_EQ(chmod(file.c_str(), mode), 0);
    fs::create_symlink("data/state.ini", folder / "link.ini");
    for (const fs::path& path : {file, folder / "link.ini"}) {
      try {
        WriteFileAtomic(path, "new");
        ADD_FAILURE() << "wrote " << path;
      } catch (const SystemError& error) {
        EXPECT_EQ(error.error_number(), EACCES) << error.what();
      }
    }
    chmod(file.c_str(), 0600);
    EXPECT_EQ(folder.Read("data/state.ini"), "precious");
    EXPECT_EQ(Entries(folder / "data"), std::set<std::string>{"state.ini"});
    EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
  }
}

// A link (or a chain of links) to a state file stays a link: the content goes to the file it
// names, beside which the scratch file is made, and that file keeps its mode.
TEST(WriteFileAtomic, WritesThroughLinksToTheirFile) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, const char*>> links;  // link, what it names
    const char* file;                                        // where the content must land
  };
  const Case cases[] = {
      {"absolute link", {{"home/state.ini", "@real/state.ini"}}, "real/state.ini"},
      {"relative link from another folder",
       {{"home/state.ini", "../real/state.ini"}},
       "real/state.ini"},
      {"chain of links",
       {{"home/state.ini", "../mid/hop.ini"}, {"mid/hop.ini", "@real/state.ini"}},
       "real/state.ini"},
      {"link through a linked folder",
       {{"home/state.ini", "../via/state.ini"}, {"via", "real"}},
       "real/state.ini"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const fs::path file = folder.Write(c.file, "old");
    ASSERT_EQ(chmod(file.c_str(), 0600), 0);
    for (const auto& [link, names] : c.links) {
      fs::create_directories((folder / link).parent_path());
      const std::string text = names;
      fs::create_symlink(text[0] == '@' ? folder / text.substr(1) : fs::path(text), folder / link);
    }
    WriteFileAtomic(folder / "home/state.ini", "new");
    EXPECT_EQ(folder.Read(c.file), "new");
    EXPECT_EQ(ModeOf(file), 0600);
    for (const auto& [link, names] : c.links) {
      EXPECT_TRUE(fs::is_symlink(folder / link)) << link;
    }
    EXPECT_EQ(Entries(folder / "real"), std::set<std::string>{"state.ini"});
    EXPECT_EQ(Entries(folder / "home"), std::set<std::string>{"state.ini"});
  }
}

TEST(WriteFileAtomic, ADanglingLinkCreatesItsTarget) {
  TempFolder folder;
  fs::create_directories(folder / "home");
  fs::create_symlink("../real/sub/state.ini", folder / "home/state.ini");
  WriteFileAtomic(folder / "home/state.ini", "made");
  EXPECT_TRUE(fs::is_symlink(folder / "home/state.ini"));
  EXPECT_EQ(folder.Read("real/sub/state.ini"), "made");
}

// What a link may name but a rewrite must not replace: a loop, a folder, a pipe (or a device:
// a log linked to /dev/null must not turn /dev/null into a file).
TEST(WriteFileAtomic, RefusesLinksToWhatIsNotAFile) {
  TempFolder folder;
  fs::create_symlink("loop.ini", folder / "loop.ini");
  fs::create_directories(folder / "folder");
  fs::create_symlink("folder", folder / "to-folder.ini");
  ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
  fs::create_symlink("pipe", folder / "to-pipe.ini");
  const auto before = Entries(folder.path());
  for (const char* name : {"loop.ini", "to-folder.ini", "to-pipe.ini"}) {
    EXPECT_THROW(WriteFileAtomic(folder / name, "new"), SystemError) << name;
  }
  EXPECT_EQ(Entries(folder.path()), before);
  EXPECT_TRUE(fs::is_fifo(folder / "pipe"));
  EXPECT_TRUE(fs::is_empty(folder / "folder"));
}

// The system refuses the write: a folder the user may not write into, a disk that is full (a
// file size limit stands in for it, and holds for root too). The old file stays, no scratch
// file is left.
TEST(WriteFileAtomic, AWriteTheSystemRefusesLeavesTheOldFile) {
  struct Case {
    const char* name;
    bool read_only_folder;
  };
  for (const Case c : {Case{"read-only folder", true}, Case{"full disk", false}}) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const fs::path file = folder.Write("state/state.ini", "old");
    if (c.read_only_folder) {
      // The child runs as nobody when the tests run as root: the folder is given to it.
      ASSERT_EQ(chmod(folder.path().c_str(), 0711), 0);
      if (geteuid() == 0) {
        ASSERT_EQ(chown(file.parent_path().c_str(), 65534, 65534), 0);
        ASSERT_EQ(chown(file.c_str(), 65534, 65534), 0);
      }
      ASSERT_EQ(chmod(file.parent_path().c_str(), 0555), 0);
    }
    const int status = InChild(
        [&] {
          if (!c.read_only_folder) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{2, 2};
            setrlimit(RLIMIT_FSIZE, &limit);
          }
          try {
            WriteFileAtomic(file, std::string(100, 'x'));
          } catch (const SystemError&) {
            return 0;
          }
          return 1;
        },
        c.read_only_folder);
    EXPECT_EQ(status, 0) << "the write did not fail";
    chmod(file.parent_path().c_str(), 0755);
    EXPECT_EQ(folder.Read("state/state.ini"), "old");
    EXPECT_EQ(Entries(file.parent_path()), std::set<std::string>{"state.ini"});
  }
}

// Scratch files of interrupted rewrites go with the next rewrite of the same file, but only
// regular files of that file's own scratch names, never through a link, and never one that a
// live writer holds (its lock) or may be about to lock (young).
TEST(WriteFileAtomic, TheNextWriteRemovesAbandonedScratchFiles) {
  TempFolder folder;
  const fs::path file = folder.Write("state.ini", "old");
  const auto scratch = [&](const char* name, int age) {
    const fs::path path = folder.Write(name, "partial");
    Age(path, age);
    return path;
  };
  scratch(".state.ini.tmp-Ab12Cd", 120);   // abandoned
  scratch(".state.ini.tmp-zz9ZZ9", 3600);  // abandoned
  const std::set<std::string> kept = {
      scratch(".state.ini.tmp-Young1", 0).filename(),      // may be a writer's before it locks
      scratch(".other.ini.tmp-Ab12Cd", 120).filename(),    // another file's
      scratch(".state.ini.tmp-Ab12C", 120).filename(),     // not a scratch name
      scratch(".state.ini.tmp-Ab12Cd.x", 120).filename(),  // not a scratch name
      scratch("state.ini.tmp-Ab12Cd", 120).filename(),     // not a scratch name
  };
  // A link under a scratch name: neither it nor what it names is touched.
  const fs::path victim = folder.Write("victim/keep.txt", "precious");
  Age(victim, 120);
  fs::create_symlink(victim, folder / ".state.ini.tmp-Link01");
  Age(folder / ".state.ini.tmp-Link01", 120);
  fs::create_directories(folder / ".state.ini.tmp-Dir001");
  // A writer in another process that holds its scratch file's lock, stopped for long.
  const fs::path held = scratch(".state.ini.tmp-Held01", 120);
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t writer = fork();
  if (writer == 0) {
    const int fd = open(held.c_str(), O_RDWR);
    flock(fd, LOCK_EX);
    (void)!write(ready[1], "x", 1);
    pause();
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);

  WriteFileAtomic(file, "new");
  EXPECT_EQ(folder.Read("state.ini"), "new");
  std::set<std::string> expected = kept;
  expected.insert({"state.ini", "victim", ".state.ini.tmp-Link01", ".state.ini.tmp-Dir001",
                   ".state.ini.tmp-Held01"});
  EXPECT_EQ(Entries(folder.path()), expected);
  EXPECT_EQ(folder.Read("victim/keep.txt"), "precious");

  // The writer dies (the system drops its lock): its scratch file goes with the next write.
  kill(writer, SIGKILL);
  waitpid(writer, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
  WriteFileAtomic(folder / "state.ini", "newer");
  expected.erase(".state.ini.tmp-Held01");
  EXPECT_EQ(Entries(folder.path()), expected);
}

// Writers of one file at the same time: every write succeeds (none takes another's scratch file
// away) and the file holds one whole content at the end.
TEST(WriteFileAtomic, WritersAtOnceNeverDisturbEachOther) {
  TempFolder folder;
  const fs::path file = folder / "state.ini";
  std::atomic<int> failures = 0;
  std::vector<std::thread> writers;
  for (int w = 0; w < 4; ++w) {
    writers.emplace_back([&, w] {
      for (int i = 0; i < 200; ++i) {
        try {
          WriteFileAtomic(file, std::string(1000, static_cast<char>('a' + w)));
        } catch (const SystemError&) {
          ++failures;
        }
      }
    });
  }
  for (auto& writer : writers) writer.join();
  EXPECT_EQ(failures, 0);
  const std::string content = folder.Read("state.ini");
  EXPECT_EQ(content.size(), 1000u);
  EXPECT_EQ(content.find_first_not_of(content[0]), std::string::npos);
  EXPECT_EQ(Entries(folder.path()), std::set<std::string>{"state.ini"});
}

}  // namespace
}  // namespace platform
