// The hold a generation run keeps on the Mods folders it changes, from before the overwrite
// question to its end: an exclusive flock on a lock file in each folder. A second run on the same
// folder stops at once instead of moving the same mod's folders at the same time. The lock file
// beside the mods is never deleted (a file deleted while another process has just opened it
// would let two runs each hold a lock of their own); it carries the holder's pid and start time,
// which the refusal of a second run names.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace generation {

inline constexpr std::string_view kRunLockFileName = ".vornak-generation.lock";

struct LockRefusal {
  bool busy = false;    // another run holds the folder; otherwise the lock file cannot be opened
  std::string message;  // ANSI, for the user
};

class RunLock {
 public:
  RunLock() = default;
  RunLock(RunLock&& other) noexcept;
  RunLock& operator=(RunLock&& other) noexcept;
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;
  ~RunLock();

  // Locks one more Mods folder, which must exist. A folder this lock already holds, under any of
  // its names, counts as locked (a second flock of the same file would refuse this very run).
  std::optional<LockRefusal> Add(const std::filesystem::path& mods_folder);
  void Release();
  bool holds_any() const { return !held_.empty(); }

 private:
  struct Held {
    int fd;
    dev_t device;
    ino_t inode;
  };
  std::vector<Held> held_;
};

}  // namespace generation
