// The installer's window: a fixed frame (banner, header, page title, version label and the
// Back, Next and Exit buttons) around the page of the current step. It is the frontend of the
// shared page sequence: every page runs the window's event loop until a button ends it.
#pragma once

#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "installer/install_flow.h"
#include "installer/session.h"

namespace installer_ui {

class PageArea;
class ProgressPage;

class InstallerWindow : public QWidget, public installer::Frontend {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 495;
  static constexpr int kClientHeight = 328;

  // Asks for a folder; nullopt when the user cancels.
  using FolderBrowser = std::function<std::optional<std::filesystem::path>(const QString& title)>;

  explicit InstallerWindow(installer::Session& session, QWidget* parent = nullptr);
  ~InstallerWindow() override;

  // The system's folder dialog unless set.
  void set_folder_browser(FolderBrowser browser) { browser_ = std::move(browser); }

  installer::PageAction LanguagePage(const std::vector<installer::LanguageEntry>& languages,
                                     const std::function<void(size_t)>& select) override;
  installer::PageAction AboutPage(const std::string& title, const std::string& text) override;
  installer::PageChoice CopyChoicePage(const std::string& title,
                                       const std::vector<std::string>& executables) override;
  installer::PageChoice NotFoundPage(const std::string& title, const std::string& text,
                                     const std::string& browser_title) override;
  void BeginProgress(const std::string& title) override;
  void Step(const installer::ProgressStep& step, const std::string& elapsed) override;
  void WaitForExit() override;
  void Close() override;

  QPushButton* back_button() const { return back_; }
  QPushButton* next_button() const { return next_; }
  QPushButton* exit_button() const { return exit_; }
  QLabel* page_title() const { return title_; }
  // The page of the current step, or nullptr between steps.
  PageArea* page() const { return page_.get(); }

 signals:
  // A page is shown and waits for the user ("language", "about", "copy choice", "not found",
  // "progress", "finished").
  void pageShown(const QString& page);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  installer::PageAction RunPage(const QString& name);
  void Finish(installer::PageAction action);
  void ExitPressed();
  bool ConfirmExit();
  void RefreshButtons();
  void SetPage(std::unique_ptr<PageArea> page, const std::string& title);

  installer::Session& session_;
  FolderBrowser browser_;
  QLabel* title_;
  QPushButton* back_;
  QPushButton* next_;
  QPushButton* exit_;
  std::unique_ptr<PageArea> page_;
  ProgressPage* progress_ = nullptr;  // the current page while it is the progress page
  QEventLoop* loop_ = nullptr;
  std::optional<installer::PageAction> action_;
  bool installing_ = false;
  bool closing_ = false;
};

}  // namespace installer_ui
