#include "ui/installer/qt_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

#include "ui/installer/qt_text.h"

namespace installer_ui {
namespace {

QMessageBox::Icon IconOf(unsigned flags) {
  switch (flags & platform::kMbIconMask) {
    case platform::kMbIconStop:
      return QMessageBox::Critical;
    case platform::kMbIconQuestion:
      return QMessageBox::Question;
    case platform::kMbIconExclamation:
      return QMessageBox::Warning;
    case platform::kMbIconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

QMessageBox::StandardButtons ButtonsOf(unsigned flags) {
  switch (flags & platform::kMbButtonMask) {
    case platform::kMbOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case platform::kMbYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case platform::kMbYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    default:
      return QMessageBox::Ok;
  }
}

int AnswerOf(int button, unsigned flags) {
  switch (button) {
    case QMessageBox::Ok:
      return platform::kIdOk;
    case QMessageBox::Cancel:
      return platform::kIdCancel;
    case QMessageBox::Yes:
      return platform::kIdYes;
    case QMessageBox::No:
      return platform::kIdNo;
    default:
      return platform::SafeAnswer(flags);
  }
}

}  // namespace

int QtDialogs::MessageBox(platform::WindowRef, std::string_view text, std::string_view caption,
                          unsigned flags) {
  QWidget* parent = owner_ && owner_->isVisible() ? owner_ : nullptr;
  QMessageBox box(IconOf(flags), ToQt(caption), ToQt(text), ButtonsOf(flags), parent);
  if (flags & platform::kMbSystemModal) {
    // The nearest to a system-modal box: over every window of the program and kept on top.
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
  }
  return AnswerOf(box.exec(), flags);
}

void QtDialogs::BringToFront(platform::WindowRef) {
  if (owner_) {
    owner_->raise();
    owner_->activateWindow();
  }
}

void QtDialogs::Beep() { QApplication::beep(); }

bool QtDialogs::ShellOpen(std::string_view target) {
  return QDesktopServices::openUrl(QUrl::fromUserInput(ToQt(target)));
}

}  // namespace installer_ui
