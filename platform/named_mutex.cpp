#include "platform/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/folders.h"

namespace platform {
namespace {

// A mutex name as a file name: separators would make it a path.
std::string LockFileName(std::string_view name) {
  std::string file;
  for (char c : name) file += (c == '/' || c == '\\' || c == '\0') ? '_' : c;
  return file + ".lock";
}

int FlockRetry(int fd, int operation) {
  int result;
  do {
    result = flock(fd, operation);
  } while (result != 0 && errno == EINTR);
  return result;
}

}  // namespace

NamedMutex NamedMutex::Create(std::string_view name) { return CreateIn(RuntimeFolder(), name); }

NamedMutex NamedMutex::CreateIn(const std::filesystem::path& folder, std::string_view name) {
  NamedMutex mutex;
  const std::filesystem::path file = folder / LockFileName(name);
  mutex.fd_ = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (mutex.fd_ < 0) {
    mutex.already_existed_ = true;
    return mutex;
  }
  if (FlockRetry(mutex.fd_, LOCK_EX | LOCK_NB) == 0) {
    mutex.already_existed_ = false;
  } else {
    mutex.already_existed_ = true;
  }
  // Every handle holds the name shared; the exclusive lock was only the test. The conversion may
  // wait for a moment while another process runs the same test.
  FlockRetry(mutex.fd_, LOCK_SH);
  return mutex;
}

NamedMutex::NamedMutex(NamedMutex&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), already_existed_(other.already_existed_) {}

NamedMutex& NamedMutex::operator=(NamedMutex&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    already_existed_ = other.already_existed_;
  }
  return *this;
}

NamedMutex::~NamedMutex() { Close(); }

void NamedMutex::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

}  // namespace platform
