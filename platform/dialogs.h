// What the features need from the user interface, as an interface the UI implements with Qt.
// Headless runs (tests, the command-line generator, the silent installer) answer from a script.
//
// The numbers are those of the Windows message-box API, so that the rules written against it
// (MB_SYSTEMMODAL for warnings, MB_YESNO for questions, IDOK) read the same here.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// An owner window, opaque to the features (the UI maps it to its widget); 0 is none.
using WindowRef = std::uintptr_t;

inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbOkCancel = 0x1;
inline constexpr unsigned kMbYesNoCancel = 0x3;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbButtonMask = 0xF;
inline constexpr unsigned kMbIconStop = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbIconMask = 0xF0;
inline constexpr unsigned kMbSystemModal = 0x1000;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// The answer a user gives when he closes a box without deciding: the safe choice.
int SafeAnswer(unsigned flags);

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Texts are ANSI. Returns one of the kId values.
  virtual int MessageBox(WindowRef owner, std::string_view text, std::string_view caption,
                         unsigned flags) = 0;
  virtual void BringToFront(WindowRef window) = 0;
  virtual void Beep() = 0;
  // Opens a document, a web page or a mail link with the desktop's handler.
  virtual bool ShellOpen(std::string_view target) = 0;
};

// A message box as shown, for scripted runs and tests.
struct ShownMessage {
  std::string text;
  std::string caption;
  unsigned flags = 0;
  int answer = 0;
};

// Answers from a queue; when the queue is empty, with the safe choice. Optionally echoes every box
// to standard error (in UTF-8), which is what a headless run shows its user.
class ScriptedDialogs : public Dialogs {
 public:
  explicit ScriptedDialogs(bool echo = false) : echo_(echo) {}

  void QueueAnswer(int answer) { answers_.push_back(answer); }
  const std::vector<ShownMessage>& shown() const { return shown_; }
  void ClearShown() { shown_.clear(); }

  int MessageBox(WindowRef owner, std::string_view text, std::string_view caption,
                 unsigned flags) override;
  void BringToFront(WindowRef) override {}
  void Beep() override {}
  bool ShellOpen(std::string_view) override { return false; }

 private:
  bool echo_;
  std::deque<int> answers_;
  std::vector<ShownMessage> shown_;
};

// The process's dialogs. Until the UI installs its own, a non-echoing ScriptedDialogs answers.
Dialogs& CurrentDialogs();
// Installs `dialogs` (not owned; nullptr restores the default).
void SetCurrentDialogs(Dialogs* dialogs);

// While a modal window of the program is open. Timers and the error processor look at it before
// they open a window of their own. Nested windows leave the flag to the outermost one.
bool IsModalWindowOpen();

class ModalWindowScope {
 public:
  ModalWindowScope();
  ~ModalWindowScope();
  ModalWindowScope(const ModalWindowScope&) = delete;
  ModalWindowScope& operator=(const ModalWindowScope&) = delete;

 private:
  bool outermost_;
};

}  // namespace platform
