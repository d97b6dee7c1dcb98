// The message boxes of the installer as Qt message boxes.
#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace installer_ui {

class QtDialogs : public platform::Dialogs {
 public:
  // Boxes open over `owner` when it is visible, else on their own.
  explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
  void set_owner(QWidget* owner) { owner_ = owner; }

  int MessageBox(platform::WindowRef owner, std::string_view text, std::string_view caption,
                 unsigned flags) override;
  void BringToFront(platform::WindowRef window) override;
  void Beep() override;
  bool ShellOpen(std::string_view target) override;

 private:
  QWidget* owner_;
};

}  // namespace installer_ui
