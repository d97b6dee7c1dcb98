#include "installer/entry_copy.h"

#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "platform/paths.h"

namespace installer {
namespace {

bool CopyFileReplacing(const fs::path& source, const fs::path& target) {
  std::error_code ec;
  fs::create_directories(target.parent_path(), ec);
  if (ec || fs::is_directory(fs::symlink_status(target, ec))) return false;
  std::string pattern =
      (target.parent_path() / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return false;
  close(fd);
  const fs::path scratch = pattern;
  bool copied = fs::copy_file(source, scratch, fs::copy_options::overwrite_existing, ec) && !ec;
  if (copied) {
    fs::rename(scratch, target, ec);
    copied = !ec;
  }
  if (!copied) fs::remove(scratch, ec);
  return copied;
}

bool CopyFolderMerging(const fs::path& source, const fs::path& target, const fs::path& confine_to) {
  std::error_code ec;
  fs::create_directories(target, ec);
  if (ec || !fs::is_directory(target, ec)) return false;
  bool complete = true;
  fs::directory_iterator it(source, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    // An entry already there in another letter case is reused, not doubled.
    const fs::path place = platform::ResolveCase(target / it->path().filename());
    complete = CopyEntry(it->path(), place, confine_to) && complete;
  }
  return complete && !ec;
}

}  // namespace

bool CopyEntry(const fs::path& source, const fs::path& target, const fs::path& confine_to) {
  std::error_code ec;
  const auto status = fs::symlink_status(source, ec);
  if (ec) return false;
  // Written at its real path: a link inside the confining folder is followed, one out is refused.
  const auto real_target = platform::RealPathInside(confine_to, target);
  if (!real_target) return false;
  if (fs::is_regular_file(status)) return CopyFileReplacing(source, *real_target);
  if (fs::is_directory(status)) return CopyFolderMerging(source, *real_target, confine_to);
  return false;  // a link, a device or a pipe
}

}  // namespace installer
