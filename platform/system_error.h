// The exception the platform layer raises for a failed system call. It carries the error number
// captured at the failing call, so that an error report shows the cause and not whatever errno
// held by the time the report was written.
#pragma once

#include <cerrno>
#include <stdexcept>
#include <string>

namespace platform {

class SystemError : public std::runtime_error {
 public:
  SystemError(const std::string& what, int error_number)
      : std::runtime_error(what), error_number_(error_number) {}
  // Captures errno at the throw site.
  explicit SystemError(const std::string& what) : SystemError(what, errno) {}

  int error_number() const { return error_number_; }

 private:
  int error_number_;
};

}  // namespace platform
