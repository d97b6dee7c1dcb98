#include "platform/dialogs.h"

#include <iostream>

#include "platform/text.h"

namespace platform {
namespace {

Dialogs* g_dialogs = nullptr;
bool g_modal_window_open = false;

}  // namespace

int SafeAnswer(unsigned flags) {
  switch (flags & kMbButtonMask) {
    case kMbOkCancel:
    case kMbYesNoCancel:
      return kIdCancel;
    case kMbYesNo:
      return kIdNo;
    default:
      return kIdOk;
  }
}

int ScriptedDialogs::MessageBox(WindowRef, std::string_view text, std::string_view caption,
                                unsigned flags) {
  int answer = SafeAnswer(flags);
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  shown_.push_back({std::string(text), std::string(caption), flags, answer});
  if (echo_) {
    std::cerr << "[" << Cp1251ToUtf8(caption) << "] " << Cp1251ToUtf8(text) << "\n";
  }
  return answer;
}

Dialogs& CurrentDialogs() {
  static ScriptedDialogs fallback;
  return g_dialogs ? *g_dialogs : fallback;
}

void SetCurrentDialogs(Dialogs* dialogs) { g_dialogs = dialogs; }

bool IsModalWindowOpen() { return g_modal_window_open; }

ModalWindowScope::ModalWindowScope() : outermost_(!g_modal_window_open) {
  g_modal_window_open = true;
}

ModalWindowScope::~ModalWindowScope() {
  if (outermost_) g_modal_window_open = false;
}

}  // namespace platform
