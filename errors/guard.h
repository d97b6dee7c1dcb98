// The guard every routine of the programs runs its body in: a failure inside is reported to the
// error processor with the routine's location code, and the routine returns a neutral result
// instead of letting the error escape to its caller.
//
//   bool CopyModels(...) {
//     return errors::Guarded("03.017-01", [&] { ...; return true; });  // false on failure
//   }
#pragma once

#include <cerrno>
#include <string_view>
#include <type_traits>
#include <utility>

namespace errors {

// Reports the exception being handled (call only inside a catch block). `saved_errno` is errno as
// it was when the handler began, before anything else could change it.
void ReportCurrentException(std::string_view code, int saved_errno) noexcept;

// Runs `body`; on any exception reports `code` and returns a value-initialised result (empty
// text, false, 0, empty optional).
template <typename Body>
auto Guarded(std::string_view code, Body&& body) -> std::invoke_result_t<Body> {
  using Result = std::invoke_result_t<Body>;
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    ReportCurrentException(code, errno);
    if constexpr (!std::is_void_v<Result>) return Result{};
  }
}

// The same with an explicit neutral result.
template <typename Result, typename Body>
Result GuardedOr(std::string_view code, Result neutral, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    ReportCurrentException(code, errno);
    return neutral;
  }
}

}  // namespace errors
