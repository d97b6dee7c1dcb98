// The small windows of the start: the splash window, the unsupported-system window and the
// first-run language dialog.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QWidget>
#include <string>
#include <vector>

namespace ui {

// A borderless 320×80 window in the middle of the screen while the main window is built.
class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  SplashWindow();

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// Tells the user the system is too old; its only button ends the program.
class NotSupportedWindow : public QDialog {
  Q_OBJECT

 public:
  explicit NotSupportedWindow(const QString& minimum_system_name);
};

// Asks for the interface language at the first start, when more than one language is installed.
class FirstChooseDialog : public QDialog {
  Q_OBJECT

 public:
  // `languages`: the installed languages' list entries ("Russian [Русский]" ...).
  explicit FirstChooseDialog(const std::vector<QString>& languages);
  // Shows the dialog when a choice is needed; returns the chosen entry's index.
  static int Choose(const std::vector<QString>& languages, bool first_run);
  int chosen() const { return list_->currentIndex(); }

 private:
  QComboBox* list_;
};

}  // namespace ui
