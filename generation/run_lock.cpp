#include "generation/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace generation {
namespace {

int FlockRetry(int fd, int operation) {
  int result;
  do {
    result = flock(fd, operation);
  } while (result != 0 && errno == EINTR);
  return result;
}

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// What the holder writes into the lock file: "pid=<n>" and "started=<date> <time>" lines.
std::string HolderNote() {
  const platform::LocalDateTime now = platform::Now();
  return "pid=" + std::to_string(getpid()) + "\nstarted=" + std::to_string(now.year) + "-" +
         TwoDigits(now.month) + "-" + TwoDigits(now.day) + " " + platform::FormatTime(now) + "\n";
}

std::string NoteValue(std::string_view note, std::string_view key) {
  size_t at = 0;
  while (at < note.size()) {
    const size_t end = std::min(note.find('\n', at), note.size());
    const std::string_view line = note.substr(at, end - at);
    if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=') {
      return std::string(line.substr(key.size() + 1));
    }
    at = end + 1;
  }
  return {};
}

std::string BusyMessage(int fd, const std::filesystem::path& mods_folder) {
  char buffer[256];
  const ssize_t length = pread(fd, buffer, sizeof buffer, 0);
  const std::string note = length > 0 ? std::string(buffer, static_cast<size_t>(length)) : "";
  const std::string pid = NoteValue(note, "pid");
  const std::string started = NoteValue(note, "started");
  const std::string folder = platform::PathToAnsi(mods_folder);
  if (pid.empty()) {
    return platform::FormatMessage(
        platform::Ansi("В папке %s уже идёт генерация мода другим процессом. Дождитесь её "
                       "окончания и повторите."),
        {folder});
  }
  return platform::FormatMessage(
      platform::Ansi("В папке %s уже идёт генерация мода: процесс %s, начата %s. Дождитесь её "
                     "окончания и повторите."),
      {folder, pid, started.empty() ? "?" : started});
}

}  // namespace

RunLock::RunLock(RunLock&& other) noexcept : held_(std::exchange(other.held_, {})) {}

RunLock& RunLock::operator=(RunLock&& other) noexcept {
  if (this != &other) {
    Release();
    held_ = std::exchange(other.held_, {});
  }
  return *this;
}

RunLock::~RunLock() { Release(); }

void RunLock::Release() {
  // Closing the descriptor drops the flock; the file stays for the next run.
  for (const Held& held : held_) close(held.fd);
  held_.clear();
}

std::optional<LockRefusal> RunLock::Add(const std::filesystem::path& mods_folder) {
  const std::filesystem::path file = mods_folder / kRunLockFileName;
  // No link is followed and nothing but a plain file is taken: a link planted at the name would
  // otherwise have the holder's note written into whatever it points to.
  int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
  if (fd < 0 && errno == EACCES) {
    // Another user's lock file: reading is enough to lock it.
    fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  }
  if (fd < 0) {
    const int error = errno;
    return LockRefusal{
        false, platform::FormatMessage(platform::Ansi("Не удалось открыть файл блокировки %s: %s"),
                                       {platform::PathToAnsi(file), std::strerror(error)})};
  }
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return LockRefusal{false, platform::FormatMessage(
                                  platform::Ansi("Файл блокировки %s не является обычным файлом."),
                                  {platform::PathToAnsi(file)})};
  }
  for (const Held& held : held_) {
    if (held.device == status.st_dev && held.inode == status.st_ino) {
      close(fd);
      return std::nullopt;
    }
  }
  if (FlockRetry(fd, LOCK_EX | LOCK_NB) != 0) {
    LockRefusal refusal{errno == EWOULDBLOCK, BusyMessage(fd, mods_folder)};
    close(fd);
    return refusal;
  }
  const std::string note = HolderNote();
  // The note only informs a refused run; a lock file that cannot be written still locks.
  if (ftruncate(fd, 0) == 0) {
    [[maybe_unused]] const ssize_t written = pwrite(fd, note.data(), note.size(), 0);
  }
  held_.push_back({fd, status.st_dev, status.st_ino});
  return std::nullopt;
}

}  // namespace generation
