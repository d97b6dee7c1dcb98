#include "apps/vornak-gen/in_place_write.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace vornak_gen {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kScratchInfix = ".vornak-gen-";
constexpr std::string_view kScratchSuffix = ".tmp";

// A file descriptor closed on every path out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  // Closes now, so that a failing close is seen.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::string Failure(const std::string& what, const fs::path& path, int error) {
  return what + " " + path.string() + ": " + std::strerror(error);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Copies what is left to read of one descriptor to the other.
bool CopyAll(int from, int to) {
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!WriteAll(to, std::string_view(buffer, static_cast<size_t>(got)))) return false;
  }
}

fs::path Folder(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

std::string ScratchPrefix(const fs::path& file) {
  return "." + file.filename().string() + std::string(kScratchInfix);
}

// Removes the scratch files of this file whose writer no longer runs. A file whose pid part is
// not a number is not ours and stays.
void RemoveStaleScratch(const fs::path& file) {
  const std::string prefix = ScratchPrefix(file);
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(Folder(file), error)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(prefix) || !name.ends_with(kScratchSuffix)) continue;
    const std::string pid_text =
        name.substr(prefix.size(), name.size() - prefix.size() - kScratchSuffix.size());
    if (pid_text.empty() || pid_text.find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    const long pid = std::stol(pid_text);
    if (pid == ::getpid() || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)) {
      ::unlink(entry.path().c_str());
    }
  }
}

}  // namespace

TargetLock::TargetLock(const fs::path& file) : fd_(::open(file.c_str(), O_RDONLY | O_CLOEXEC)) {
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

TargetLock::~TargetLock() {
  if (fd_ >= 0) ::close(fd_);
}

InPlaceTarget InspectTarget(const fs::path& target) {
  InPlaceTarget result;
  struct stat link_info {};
  if (::lstat(target.c_str(), &link_info) != 0) {
    return {InPlaceRefusal::kMissing, target, false, 1, Failure("cannot open", target, errno)};
  }
  result.linked = S_ISLNK(link_info.st_mode);
  std::error_code error;
  result.file = result.linked ? fs::canonical(target, error) : target;
  struct stat info {};
  if (error || ::stat(result.file.c_str(), &info) != 0) {
    return {InPlaceRefusal::kMissing, target, result.linked, 1,
            "the link " + target.string() + " leads to no file"};
  }
  result.hard_links = static_cast<unsigned>(info.st_nlink);
  if (S_ISDIR(info.st_mode)) {
    result.refusal = InPlaceRefusal::kFolder;
    result.message = target.string() + " is a folder; the target must be one XML file";
  } else if (!S_ISREG(info.st_mode)) {
    result.refusal = InPlaceRefusal::kNotRegular;
    result.message = target.string() + " is not a regular file";
  } else if ((info.st_mode & S_IWUSR) == 0) {
    result.refusal = InPlaceRefusal::kReadOnly;
    result.message =
        target.string() + " is read-only (its owner may not write it); it was left as it is";
  }
  return result;
}

InPlaceResult WriteInPlace(const InPlaceTarget& target, const Content& content) {
  const fs::path& file = target.file;
  RemoveStaleScratch(file);
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return {false, true, Failure("cannot open", file, errno)};

  const fs::path scratch = file.parent_path() / (ScratchPrefix(file) + std::to_string(::getpid()) +
                                                 std::string(kScratchSuffix));
  Descriptor out(::open(scratch.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (!out.ok()) return {false, true, Failure("cannot create", scratch, errno)};
  auto fail = [&](const std::string& what, const fs::path& path) {
    const int error = errno;
    ::unlink(scratch.c_str());
    return InPlaceResult{false, true, Failure(what, path, error)};
  };
  if (!content([&](std::string_view bytes) { return WriteAll(out.get(), bytes); }) ||
      ::fsync(out.get()) != 0) {
    return fail("cannot write", scratch);
  }

  if (target.hard_links > 1) {
    // The other names see the file's own inode: its content is replaced, from the complete copy.
    Descriptor copy(::open(scratch.c_str(), O_RDONLY | O_CLOEXEC));
    if (!copy.ok()) return fail("cannot read", scratch);
    Descriptor in(::open(file.c_str(), O_WRONLY | O_CLOEXEC));
    if (!in.ok()) return fail("cannot open", file);
    if (::ftruncate(in.get(), 0) != 0 || !CopyAll(copy.get(), in.get()) || ::fsync(in.get()) != 0 ||
        !in.Close()) {
      // The complete new content stays in the scratch file: the file itself may be cut.
      const int error = errno;
      return {false, false,
              Failure("cannot write", file, error) + "; its new content is complete in " +
                  scratch.string()};
    }
    out.Close();
    ::unlink(scratch.c_str());
    return {true, false, {}};
  }

  // The scratch file becomes the file: it takes its mode and (where allowed) its owner first.
  if (::fchmod(out.get(), info.st_mode & 07777) != 0)
    return fail("cannot set the mode of", scratch);
  if (::fchown(out.get(), info.st_uid, info.st_gid) != 0 && errno != EPERM) {
    return fail("cannot set the owner of", scratch);
  }
  if (!out.Close()) return fail("cannot write", scratch);
  if (::rename(scratch.c_str(), file.c_str()) != 0) return fail("cannot replace", file);
  // The folder is not synced: after a crash the name holds the old file or the new one, both
  // whole, and a pack author's single write should not wait for the disk twice.
  return {true, true, {}};
}

}  // namespace vornak_gen
