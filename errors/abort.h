// A deliberate stop of a routine: raised where a step cannot go on and the guard's report is what
// should happen next (the class library's abort).
#pragma once

#include <stdexcept>

namespace errors {

class Abort : public std::runtime_error {
 public:
  Abort() : std::runtime_error("Operation aborted") {}
  explicit Abort(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace errors
