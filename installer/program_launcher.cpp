#include "installer/program_launcher.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace installer {

bool LaunchProgram(const std::filesystem::path& executable) {
  // Everything the children need is prepared before fork: after it only async-signal-safe calls.
  const std::string program = executable.string();
  const std::string folder = executable.parent_path().string();
  char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;

  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    // The intermediate child leaves at once, so the program is nobody's child to wait for.
    close(report[0]);
    setsid();
    const char failed = 1;
    const pid_t grandchild = fork();
    if (grandchild > 0) _exit(0);
    if (grandchild == 0 && chdir(folder.c_str()) == 0) execv(program.c_str(), argv);
    (void)!write(report[1], &failed, 1);
    _exit(127);
  }
  close(report[1]);
  int status = 0;
  waitpid(child, &status, 0);
  // The write end closes on a successful exec; one byte means the start failed.
  char failed = 0;
  const bool started = read(report[0], &failed, 1) == 0;
  close(report[0]);
  return started;
}

}  // namespace installer
