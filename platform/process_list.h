// The running processes, from /proc: what the installer uses to see whether a copy of the
// configurator runs before it writes into that copy's folder.
#pragma once

#include <filesystem>
#include <vector>

namespace platform {

struct ProcessEntry {
  int pid = 0;
  std::filesystem::path executable;  // empty when it cannot be read (another user's process)
};

std::vector<ProcessEntry> ListProcesses();

// Some process runs exactly this executable file (compared as an absolute, normalised path).
bool IsExecutableRunning(const std::filesystem::path& executable);

}  // namespace platform
