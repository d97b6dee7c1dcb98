// Message boxes and the desktop's services for the features, with Qt.
#pragma once

#include <QWidget>

#include "platform/dialogs.h"

namespace ui {

inline platform::WindowRef RefOf(QWidget* widget) {
  return reinterpret_cast<platform::WindowRef>(widget);
}
inline QWidget* WidgetOf(platform::WindowRef ref) { return reinterpret_cast<QWidget*>(ref); }

class QtDialogs : public platform::Dialogs {
 public:
  int MessageBox(platform::WindowRef owner, std::string_view text, std::string_view caption,
                 unsigned flags) override;
  void BringToFront(platform::WindowRef window) override;
  void Beep() override;
  bool ShellOpen(std::string_view target) override;

 private:
  int ShowBox(platform::WindowRef owner, std::string_view text, std::string_view caption,
              unsigned flags);
};

}  // namespace ui
