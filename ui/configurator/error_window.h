// A plain window that tells the user an error was logged, with its code. The full error window
// (continue, close, restart, send the log) replaces it later.
#pragma once

#include "errors/error_processor.h"

namespace ui {

class SimpleErrorWindow : public errors::ErrorWindow {
 public:
  void Show(const std::string& code_text) override;
};

}  // namespace ui
