#include "platform/process_list.h"

#include <string>
#include <system_error>

namespace platform {

std::vector<ProcessEntry> ListProcesses() {
  std::vector<ProcessEntry> processes;
  std::error_code ec;
  for (std::filesystem::directory_iterator it("/proc", ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    ProcessEntry entry;
    entry.pid = std::stoi(name);
    std::error_code link_error;
    entry.executable = std::filesystem::read_symlink(it->path() / "exe", link_error);
    processes.push_back(std::move(entry));
  }
  return processes;
}

bool IsExecutableRunning(const std::filesystem::path& executable) {
  std::error_code ec;
  const auto wanted = std::filesystem::absolute(executable, ec).lexically_normal();
  for (const auto& process : ListProcesses()) {
    if (process.executable.empty()) continue;
    // A replaced binary shows as "<path> (deleted)": that copy still runs from the old file.
    std::string running = process.executable.string();
    constexpr std::string_view kDeleted = " (deleted)";
    if (running.ends_with(kDeleted)) running.resize(running.size() - kDeleted.size());
    if (std::filesystem::path(running).lexically_normal() == wanted) return true;
  }
  return false;
}

}  // namespace platform
