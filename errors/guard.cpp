#include "errors/guard.h"

#include <cxxabi.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <typeinfo>

#include "errors/abort.h"
#include "errors/error_processor.h"
#include "platform/system_error.h"

namespace errors {
namespace {

std::string CurrentExceptionClass() {
  const std::type_info* type = abi::__cxa_current_exception_type();
  if (!type) return "Exception";
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> name(
      abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), &std::free);
  return status == 0 && name ? name.get() : type->name();
}

}  // namespace

void ReportCurrentException(std::string_view code, int saved_errno) noexcept {
  try {
    Failure failure;
    failure.code = std::string(code);
    failure.error_number = saved_errno;
    failure.error_class = CurrentExceptionClass();
    failure.address = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
    try {
      throw;
    } catch (const Abort&) {
      failure.error_class = "EAbort";
    } catch (const platform::SystemError& error) {
      failure.error_number = error.error_number();
    } catch (const std::filesystem::filesystem_error& error) {
      failure.error_number = error.code().value();
    } catch (const std::system_error& error) {
      failure.error_number = error.code().value();
    } catch (...) {
    }
    Processor().Report(failure);
  } catch (...) {
    // Nothing may escape a report.
  }
}

}  // namespace errors
