// The generation window TForm4: the checks' findings, the target and folder name of the mod,
// and the progress of the run, which works on a thread of its own so the window stays alive.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <atomic>
#include <memory>
#include <thread>

#include "generation/checks.h"
#include "generation/pipeline.h"
#include "generation/run_log.h"
#include "ui/configurator/control_registry.h"

namespace ui {

class MainWindow;

class GenerationWindow : public QDialog {
  Q_OBJECT

 public:
  enum PageIndex { kWarnings = 0, kSettings = 1, kProgress = 2, kTranslate = 3 };

  GenerationWindow(MainWindow& main_window, std::filesystem::path desktop_folder);
  ~GenerationWindow() override;

  const ControlRegistry& controls() const { return controls_; }
  int page() const { return pages_->currentIndex(); }
  // "Далее >>": on the Warnings page to the Settings page, on the Settings page the run.
  void Next();
  // Runs the checks (the first show does it).
  void RunChecks();
  bool running() const { return running_; }
  // The result of the last run, once it has ended.
  const generation::RunResult& result() const { return result_; }
  const generation::RunLog* log() const { return log_.get(); }

 signals:
  void RunEnded();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void StartRun();
  void ShowProgress(const generation::Progress& progress);
  void FinishRun();
  QLabel* AddMessage(const char* name, const char* caption, const char* hint);

  MainWindow& main_window_;
  std::filesystem::path desktop_folder_;
  ControlRegistry controls_;
  QStackedWidget* pages_;
  QPlainTextEdit* memo_;
  QComboBox* target_;
  QLineEdit* folder_name_;
  QButtonGroup* icons_;
  QCheckBox* shortcut_;
  QLabel* elapsed_;
  QProgressBar* gauge_;
  QPushButton* close_button_;
  QPushButton* next_button_;
  QPushButton* minimise_button_;
  QWidget* translate_page_;
  bool checked_ = false;
  bool atomic_bombers_ = false;
  bool running_ = false;
  std::unique_ptr<generation::RunLog> log_;
  generation::RunResult result_;
  std::thread worker_;
};

}  // namespace ui
