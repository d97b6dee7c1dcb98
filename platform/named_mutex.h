// Named mutexes of the Windows kind, which the programs use to see whether another copy runs:
// the name exists while any process holds a handle to it. Here a handle is an open lock file in
// the runtime folder holding a shared flock; creating a mutex tries an exclusive lock first,
// which fails exactly when some other handle (in this process or another) holds the name.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

class NamedMutex {
 public:
  NamedMutex() = default;
  // Creates (or opens) the mutex. `already_existed()` tells what Windows reports as
  // ERROR_ALREADY_EXISTS; a mutex that could not be created at all reports that too, since the
  // callers treat both alike.
  static NamedMutex Create(std::string_view name);
  // The same in a folder of the caller's choosing (tests).
  static NamedMutex CreateIn(const std::filesystem::path& folder, std::string_view name);

  NamedMutex(NamedMutex&& other) noexcept;
  NamedMutex& operator=(NamedMutex&& other) noexcept;
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;
  ~NamedMutex();

  bool already_existed() const { return already_existed_; }
  bool is_open() const { return fd_ >= 0; }
  void Close();

 private:
  int fd_ = -1;
  bool already_existed_ = false;
};

}  // namespace platform
