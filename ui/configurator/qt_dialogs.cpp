#include "ui/configurator/qt_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "ui/configurator/ansi.h"
#include "ui/configurator/gui_thread.h"

namespace ui {

int QtDialogs::MessageBox(platform::WindowRef owner, std::string_view text,
                          std::string_view caption, unsigned flags) {
  int answer = platform::SafeAnswer(flags);
  RunOnGuiThread([&] { answer = ShowBox(owner, text, caption, flags); });
  return answer;
}

int QtDialogs::ShowBox(platform::WindowRef owner, std::string_view text, std::string_view caption,
                       unsigned flags) {
  QMessageBox box(WidgetOf(owner));
  box.setWindowTitle(FromAnsi(caption));
  box.setText(FromAnsi(text));
  switch (flags & platform::kMbIconMask) {
    case platform::kMbIconStop:
      box.setIcon(QMessageBox::Critical);
      break;
    case platform::kMbIconQuestion:
      box.setIcon(QMessageBox::Question);
      break;
    case platform::kMbIconExclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case platform::kMbIconInformation:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      break;
  }
  switch (flags & platform::kMbButtonMask) {
    case platform::kMbOkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case platform::kMbYesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case platform::kMbYesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
  }
  if (flags & platform::kMbSystemModal) box.setWindowModality(Qt::ApplicationModal);
  platform::ModalWindowScope modal;
  switch (box.exec()) {
    case QMessageBox::Ok:
      return platform::kIdOk;
    case QMessageBox::Yes:
      return platform::kIdYes;
    case QMessageBox::No:
      return platform::kIdNo;
    default:
      return platform::SafeAnswer(flags);
  }
}

void QtDialogs::BringToFront(platform::WindowRef window) {
  if (QWidget* widget = WidgetOf(window)) {
    widget->raise();
    widget->activateWindow();
  }
}

void QtDialogs::Beep() { QApplication::beep(); }

bool QtDialogs::ShellOpen(std::string_view target) {
  const QString text = FromAnsi(target);
  const QUrl url =
      text.contains("://") || text.startsWith("mailto:") ? QUrl(text) : QUrl::fromLocalFile(text);
  return QDesktopServices::openUrl(url);
}

}  // namespace ui
