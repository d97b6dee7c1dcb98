#include "ui/configurator/error_window.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/configurator/ansi.h"
#include "ui/configurator/gui_thread.h"

namespace ui {

void SimpleErrorWindow::Show(const std::string& code_text) {
  RunOnGuiThread([&] {
    QApplication::beep();
    QMessageBox box(QMessageBox::Critical, "Vornak.TQ - Error",
                    QString::fromUtf8("    Код ошибки:") + FromAnsi(code_text));
    box.exec();
  });
}

}  // namespace ui
