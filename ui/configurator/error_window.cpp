#include "ui/configurator/error_window.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/configurator/ansi.h"

namespace ui {

void SimpleErrorWindow::Show(const std::string& code_text) {
  QApplication::beep();
  QMessageBox box(QMessageBox::Critical, "Vornak.TQ - Error",
                  QString::fromUtf8("    Код ошибки:") + FromAnsi(code_text));
  box.exec();
}

}  // namespace ui
