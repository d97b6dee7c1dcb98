// Window messages between copies of a program. A running main window listens on a local socket
// in the runtime folder named after its window class and process; another copy finds the windows
// of a class by these sockets (the way Windows programs enumerate top-level windows by class) and
// sends a message as one line holding its number in decimal (1025 for WM_USER+1).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr int kWmUser = 0x400;

// The socket path of this process's window of `window_class`.
std::filesystem::path WindowSocketPath(std::string_view window_class);
std::filesystem::path WindowSocketPath(const std::filesystem::path& folder,
                                       std::string_view window_class, int pid);

// The sockets of live windows of the class, other than this process's own. Sockets left behind
// by a process that died are removed.
std::vector<std::filesystem::path> FindWindows(std::string_view window_class);
std::vector<std::filesystem::path> FindWindowsIn(const std::filesystem::path& folder,
                                                 std::string_view window_class);

// Sends one message; false when nobody listens there.
bool SendWindowMessage(const std::filesystem::path& socket, int message);

}  // namespace platform
