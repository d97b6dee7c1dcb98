// Collects the location codes that the error processor is asked to show while it lives.
#pragma once

#include <string>
#include <vector>

#include "errors/error_processor.h"

namespace config_test {

class ErrorSpy : public errors::ErrorWindow {
 public:
  ErrorSpy() { errors::Processor().set_window(this); }
  ~ErrorSpy() override { errors::Processor().set_window(nullptr); }
  ErrorSpy(const ErrorSpy&) = delete;
  ErrorSpy& operator=(const ErrorSpy&) = delete;

  // " 1.5.0-01.021-01.0" is recorded as "01.021-01".
  void Show(const std::string& code_text) override {
    const size_t start = code_text.find('-') + 1;
    codes.push_back(code_text.substr(start, code_text.rfind('.') - start));
  }

  std::vector<std::string> codes;
};

}  // namespace config_test
