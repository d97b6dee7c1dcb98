#include "xmlengine/document_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/file_io.h"
#include "platform/system_error.h"

namespace xmlengine {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

struct Buffer {
  std::unique_ptr<char[]> bytes;
  size_t size = 0;
  size_t capacity = 0;
};

// Reads the whole file into a buffer; `document`, when given, lends its spare buffer.
Buffer ReadBuffer(const fs::path& path, Document* document = nullptr) {
  const FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw platform::SystemError("cannot open " + path.string());
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) throw platform::SystemError("cannot read " + path.string());
  if (S_ISDIR(info.st_mode)) throw platform::SystemError("a folder: " + path.string(), EISDIR);
  const size_t expected = info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
  Buffer buffer;
  if (document) {
    buffer.bytes = document->TakeBuffer(expected + 1, buffer.capacity);
  } else {
    buffer.capacity = expected + 1;
    buffer.bytes = std::make_unique_for_overwrite<char[]>(buffer.capacity);
  }
  while (true) {
    if (buffer.size == buffer.capacity) {
      // The file grew while it was read (or its size was unknown): a larger buffer.
      const size_t larger = buffer.capacity * 2 + 4096;
      auto bytes = std::make_unique_for_overwrite<char[]>(larger);
      std::copy(buffer.bytes.get(), buffer.bytes.get() + buffer.size, bytes.get());
      buffer.bytes = std::move(bytes);
      buffer.capacity = larger;
    }
    const ssize_t n =
        read(fd.get(), buffer.bytes.get() + buffer.size, buffer.capacity - buffer.size);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw platform::SystemError("cannot read " + path.string());
    }
    if (n == 0) break;
    buffer.size += static_cast<size_t>(n);
  }
  return buffer;
}

// Writes what `produce` hands to its sink into a temporary file beside `path` and renames it over
// the file.
template <typename Produce>
void WriteReplacing(const fs::path& path, Produce&& produce) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string pattern = (folder / ("." + path.filename().string() + ".tmp-XXXXXX")).string();
  FileDescriptor fd(mkstemp(pattern.data()));
  if (fd.get() < 0) throw platform::SystemError("cannot create a file in " + folder.string());
  const fs::path temp = pattern;
  const auto fail = [&](const std::string& what, int error) {
    unlink(temp.c_str());
    throw platform::SystemError(what, error);
  };
  const auto sink = [&](std::string_view bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
      const ssize_t n = write(fd.get(), bytes.data() + written, bytes.size() - written);
      if (n < 0) {
        if (errno == EINTR) continue;
        fail("cannot write " + path.string(), errno);
      }
      written += static_cast<size_t>(n);
    }
  };
  produce(sink);
  // mkstemp makes the file private; a mod file gets the usual mode, limited by the umask.
  fchmod(fd.get(), 0666 & ~platform::CurrentUmask());
  if (close(fd.release()) != 0) fail("cannot write " + path.string(), errno);
  if (std::rename(temp.c_str(), path.c_str()) != 0) fail("cannot replace " + path.string(), errno);
}

}  // namespace

std::string ReadWholeFile(const fs::path& path) {
  const Buffer buffer = ReadBuffer(path);
  return std::string(buffer.bytes.get(), buffer.size);
}

void LoadDocument(const fs::path& path, Document& document) {
  Buffer buffer = ReadBuffer(path, &document);
  document.AdoptBytes(std::move(buffer.bytes), buffer.size, buffer.capacity);
}

void WriteDocumentFile(const fs::path& path, const Document& document) {
  WriteReplacing(path, [&](auto&& sink) {
    // The lines go out through a buffer of fixed size, not through one copy of the whole text.
    constexpr size_t kBufferSize = 256 * 1024;
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
    size_t used = 0;
    document.ForEach(0, document.size(), [&](size_t, std::string_view line) {
      if (used + line.size() + 2 > kBufferSize) {
        sink(std::string_view(buffer.get(), used));
        used = 0;
      }
      if (line.size() + 2 > kBufferSize) {
        sink(line);
        sink("\r\n");
        return true;
      }
      std::memcpy(buffer.get() + used, line.data(), line.size());
      used += line.size();
      buffer[used++] = '\r';
      buffer[used++] = '\n';
      return true;
    });
    sink(std::string_view(buffer.get(), used));
  });
}

fs::path CopyFileInto(const fs::path& source, const fs::path& folder) {
  const fs::path target = folder / source.filename();
  platform::CopyFileBytes(source, target);
  return target;
}

}  // namespace xmlengine
