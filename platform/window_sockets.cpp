#include "platform/window_sockets.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "platform/folders.h"

namespace platform {
namespace {

// A connected socket to the path, or -1.
int Connect(const std::filesystem::path& socket_path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = socket_path.string();
  if (path.size() >= sizeof address.sun_path) return -1;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

std::string Prefix(std::string_view window_class) { return std::string(window_class) + "."; }

}  // namespace

std::filesystem::path WindowSocketPath(const std::filesystem::path& folder,
                                       std::string_view window_class, int pid) {
  return folder / (Prefix(window_class) + std::to_string(pid));
}

std::filesystem::path WindowSocketPath(std::string_view window_class) {
  return WindowSocketPath(RuntimeFolder(), window_class, static_cast<int>(getpid()));
}

std::vector<std::filesystem::path> FindWindowsIn(const std::filesystem::path& folder,
                                                 std::string_view window_class) {
  std::vector<std::filesystem::path> windows;
  const std::string prefix = Prefix(window_class);
  const std::filesystem::path own = WindowSocketPath(folder, window_class, getpid());
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) != 0 || it->path() == own) continue;
    if (!it->is_socket()) continue;
    const int fd = Connect(it->path());
    if (fd < 0) {
      std::error_code remove_error;
      std::filesystem::remove(it->path(), remove_error);  // its process is gone
      continue;
    }
    close(fd);
    windows.push_back(it->path());
  }
  return windows;
}

std::vector<std::filesystem::path> FindWindows(std::string_view window_class) {
  return FindWindowsIn(RuntimeFolder(), window_class);
}

bool SendWindowMessage(const std::filesystem::path& socket, int message) {
  const int fd = Connect(socket);
  if (fd < 0) return false;
  const std::string line = std::to_string(message) + "\n";
  const bool sent =
      send(fd, line.data(), line.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(line.size());
  close(fd);
  return sent;
}

}  // namespace platform
