// Writing a pack author's file in place: the file stays the file the author has, with its mode,
// its links and its other names.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace vornak_gen {

// Why a file cannot be written in place, or nothing (a writable regular file, or a link to one).
enum class InPlaceRefusal { kNone, kMissing, kFolder, kNotRegular, kReadOnly };

struct InPlaceTarget {
  InPlaceRefusal refusal = InPlaceRefusal::kNone;
  std::filesystem::path file;  // the file itself: the end of the target's links
  bool linked = false;         // the target is a symbolic link to it
  unsigned hard_links = 1;     // its number of names
  std::string message;         // what is wrong, with the refusal (UTF-8)
};

// Looks at the target before anything is written. A file without the owner's write bit counts as
// read-only whoever runs the program (root ignores the bit, the author's intent should not be).
InPlaceTarget InspectTarget(const std::filesystem::path& target);

// An exclusive lock on the file itself, held from before the file is read until it is written:
// runs at once on one file take turns, so that none reads the file while another is copying over
// it (a file with several names is written in place, not replaced). Waits for its turn; a file
// that cannot be opened is not locked, and the run goes on to report why it cannot be read.
class TargetLock {
 public:
  explicit TargetLock(const std::filesystem::path& file);
  ~TargetLock();
  TargetLock(const TargetLock&) = delete;
  TargetLock& operator=(const TargetLock&) = delete;

 private:
  int fd_ = -1;
};

struct InPlaceResult {
  bool written = false;
  bool atomic = true;   // false: copied over a file with several names (see WriteInPlace)
  std::string message;  // the failure, when not written (UTF-8)
};

// The new content, handed piece by piece to a sink, which returns false when a write failed.
using ContentSink = std::function<bool(std::string_view)>;
using Content = std::function<bool(const ContentSink& sink)>;

// Replaces the content of target.file with the content. It first goes to a temporary file beside
// it (".NAME.vornak-gen-PID.tmp"), complete and flushed, so a full disk or a failed write leaves
// the file as it was. A file with one name is then renamed over, after the temporary took its
// mode and owner: atomic. A file with several names keeps them only if its own inode is written,
// so the completed temporary is copied over it: not atomic, a kill during the copy leaves it cut;
// the caller holds the file's TargetLock, so no other run reads or writes it meanwhile.
// Temporary files of runs that are gone (their process no longer exists) are removed first.
InPlaceResult WriteInPlace(const InPlaceTarget& target, const Content& content);

}  // namespace vornak_gen
