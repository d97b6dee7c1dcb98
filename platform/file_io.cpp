#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
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

void WriteFileAtomic(const fs::path& path, std::string_view bytes) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::error_code ec;
  fs::create_directories(folder, ec);
  std::string pattern = (folder / ("." + path.filename().string() + ".tmp-XXXXXX")).string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) throw SystemError("cannot create a temporary file beside " + path.string());
  const fs::path temp = pattern;
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      close(fd);
      unlink(temp.c_str());
      throw SystemError("cannot write " + temp.string(), error);
    }
    written += static_cast<size_t>(n);
  }
  // Files of the user's state are ordinary files: mkstemp makes them private (0600); give them
  // the usual mode, limited by the umask.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  const bool synced = fsync(fd) == 0;
  const int sync_error = errno;
  const bool closed = close(fd) == 0;
  if (!synced || !closed) {
    const int error = synced ? errno : sync_error;
    unlink(temp.c_str());
    throw SystemError("cannot flush " + temp.string(), error);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    unlink(temp.c_str());
    throw SystemError("cannot replace " + path.string(), error);
  }
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
