#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <ctime>
#include <fstream>

#include "platform/system_error.h"

namespace platform {

std::optional<std::string> ReadFileBytes(const fs::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  // One read of the size the file has, then on until the end in case it grew meanwhile.
  std::string bytes(info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0, '\0');
  size_t size = 0;
  while (true) {
    if (size == bytes.size()) bytes.resize(bytes.size() * 2 + 4096);
    const ssize_t n = read(fd, bytes.data() + size, bytes.size() - size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    size += static_cast<size_t>(n);
  }
  close(fd);
  bytes.resize(size);
  return bytes;
}

namespace {

// Scratch files are named after the file they will replace: ".<name>.tmp-" and mkstemp's six
// letters and digits.
std::string ScratchPrefix(const fs::path& target) {
  return "." + target.filename().string() + ".tmp-";
}

bool IsScratchName(std::string_view name, std::string_view prefix) {
  if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) return false;
  for (const char c : name.substr(prefix.size())) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// A scratch file younger than this may belong to a writer that has created it but not yet locked
// it; an older one is kept only while a writer holds its lock.
constexpr time_t kScratchGraceSeconds = 60;

// The file a rewrite of `path` replaces: links, chains of links included, are followed to the file
// they name (a relative link is taken from its own folder), so the link stays a link and the
// scratch file lands beside the real file, on its file system. A dangling link gives the path of
// its missing target.
fs::path FollowLinks(fs::path path) {
  for (int hops = 0;; ++hops) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    if (hops == 40) throw SystemError("too many links at " + path.string(), ELOOP);
    std::error_code ec;
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) throw SystemError("cannot read the link " + path.string(), ec.value());
    // Not normalised: ".." after a linked folder must be resolved by the system, not lexically.
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
}

// Removes scratch files that interrupted rewrites of `target` left in its folder. Only regular
// files of exactly that name pattern go, never through a link; a scratch file is another writer's
// while that writer holds its lock (the system drops the lock when the writer dies, killed or
// not) or while it is young enough to be between its creation and its lock.
void RemoveAbandonedScratchFiles(const fs::path& target) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string prefix = ScratchPrefix(target);
  const time_t now = time(nullptr);
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path scratch = it->path();
    if (!IsScratchName(scratch.filename().string(), prefix)) continue;
    struct stat named {};
    if (lstat(scratch.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) continue;
    if (now - named.st_mtime < kScratchGraceSeconds) continue;
    int fd = open(scratch.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) fd = open(scratch.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat opened {};
    const bool same =
        fstat(fd, &opened) == 0 && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
    if (same && flock(fd, LOCK_EX | LOCK_NB) == 0) unlink(scratch.c_str());
    close(fd);
  }
}

// Gives the scratch file the owner, group and mode of the file it replaces, as far as this
// process may. Set-id bits stay only with the owner or group they belong to.
void TakeOverProtection(int fd, const struct stat& old) {
  bool owner_kept = old.st_uid == geteuid();
  bool group_kept = old.st_gid == getegid();
  if (!owner_kept || !group_kept) {
    if (fchown(fd, old.st_uid, old.st_gid) == 0) {
      owner_kept = group_kept = true;
    } else if (!group_kept) {
      group_kept = fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    }
  }
  mode_t mode = old.st_mode & 07777;
  if (!owner_kept) mode &= ~S_ISUID;
  if (!group_kept) mode &= ~S_ISGID;
  if (fchmod(fd, mode) != 0) throw SystemError("cannot set the mode of a temporary file");
}

void GiveNewFileMode(int fd) {
  // mkstemp makes files private (0600); a new file of the user's state gets the usual mode,
  // limited by the umask.
  if (fchmod(fd, 0666 & ~CurrentUmask()) != 0)
    throw SystemError("cannot set the mode of a temporary file");
}

void WriteAll(int fd, std::string_view bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw SystemError("cannot write a temporary file");
    }
    written += static_cast<size_t>(n);
  }
}

}  // namespace

void WriteFileAtomic(const fs::path& path, std::string_view bytes) {
  const fs::path target = FollowLinks(path);
  struct stat old {};
  const bool replaces = lstat(target.c_str(), &old) == 0;
  if (replaces) {
    if (S_ISDIR(old.st_mode)) {
      throw SystemError("cannot replace the folder " + target.string(), EISDIR);
    }
    if (!S_ISREG(old.st_mode)) {
      throw SystemError("cannot replace " + target.string() + ": not a regular file", EINVAL);
    }
    // Decided on the mode bits, not by trying: a privileged process would write anyway, and the
    // user's choice holds for every process.
    if ((old.st_mode & S_IWUSR) == 0) {
      throw SystemError("cannot replace " + target.string() + ": the file is read-only", EACCES);
    }
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::error_code ec;
  fs::create_directories(folder, ec);
  // Before the new scratch file: on a full disk the space they hold may be what this write needs.
  RemoveAbandonedScratchFiles(target);

  std::string pattern = (folder / (ScratchPrefix(target) + "XXXXXX")).string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) throw SystemError("cannot create a temporary file beside " + target.string());
  const fs::path temp = pattern;
  // Held until the scratch file has its final name, so that no other writer's clean-up takes it.
  flock(fd, LOCK_EX);
  try {
    WriteAll(fd, bytes);
    if (replaces) {
      TakeOverProtection(fd, old);
    } else {
      GiveNewFileMode(fd);
    }
    if (fsync(fd) != 0) throw SystemError("cannot flush " + temp.string());
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
      throw SystemError("cannot replace " + target.string());
    }
  } catch (...) {
    const int error = errno;
    unlink(temp.c_str());
    close(fd);
    errno = error;
    throw;
  }
  close(fd);
}

void WriteFileBytes(const fs::path& path, std::string_view bytes) {
  std::error_code ec;
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw SystemError("cannot write " + path.string());
}

void CopyFileBytes(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (to.has_parent_path()) fs::create_directories(to.parent_path(), ec);
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  if (ec) throw SystemError("cannot copy " + from.string() + " to " + to.string(), ec.value());
}

mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) != 0) continue;
    try {
      return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8)) & 0777;
    } catch (const std::exception&) {
      break;
    }
  }
  // Without the status line (an old kernel): the usual default.
  return 022;
}

bool IsFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool IsDirectory(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool RemoveFileQuietly(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(path, ec))) return false;
  return fs::remove(path, ec);
}

}  // namespace platform
