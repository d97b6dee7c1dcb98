#include "ui/installer/installer_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "installer/identity.h"
#include "installer/messages.h"
#include "ui/installer/banner.h"
#include "ui/installer/installer_pages.h"
#include "ui/installer/qt_text.h"

namespace installer_ui {
namespace {

using installer::PageAction;
using installer::PageChoice;

QFont TahomaFont(int pixels, bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QStringList ToQtList(const std::vector<std::string>& texts) {
  QStringList list;
  for (const auto& text : texts) list << ToQt(text);
  return list;
}

}  // namespace

InstallerWindow::InstallerWindow(installer::Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      session_(session),
      browser_([this](const QString& title) -> std::optional<std::filesystem::path> {
        const QString folder = QFileDialog::getExistingDirectory(this, title);
        if (folder.isEmpty()) return std::nullopt;
        return std::filesystem::path(folder.toStdString());
      }),
      title_(new QLabel(this)),
      back_(new QPushButton(this)),
      next_(new QPushButton(this)),
      exit_(new QPushButton(this)) {
  setFixedSize(kClientWidth, kClientHeight);
  setFont(TahomaFont(11, false));
  setWindowTitle(ToQt(session_.pack().title));
  setWindowIcon(InstallerIcon());

  auto* banner = new QLabel(this);
  banner->setGeometry(0, 0, kClientWidth, 58);
  banner->setAlignment(Qt::AlignCenter);
  banner->setPixmap(BannerPicture(banner->size()));

  auto* header_box = new QFrame(this);
  header_box->setGeometry(130, 20, 340, 24);
  header_box->setFrameStyle(QFrame::Box | QFrame::Sunken);
  auto* header_panel = new QFrame(this);
  header_panel->setGeometry(131, 21, 337, 21);
  header_panel->setAutoFillBackground(true);
  auto* header = new QLabel(ToQt(session_.pack().title), this);
  header->setObjectName("headerText");
  header->setGeometry(138, 25, 300, 15);
  header->setAlignment(Qt::AlignCenter);
  header->setFont(TahomaFont(13, true));

  title_->setObjectName("pageTitle");
  title_->setGeometry(80, 76, 340, 28);
  title_->setFont(TahomaFont(13, true));
  title_->setWordWrap(true);  // a long title takes the second line of its box

  auto* separator = new QFrame(this);
  separator->setGeometry(10, 288, 475, 10);
  separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);

  auto* version = new QLabel(
      QStringLiteral("%1 %2").arg(installer::kInstallerName, installer::kInstallerVersion), this);
  version->setObjectName("versionLabel");
  version->setGeometry(12, 302, 210, 14);
  version->setEnabled(false);

  back_->setObjectName("backButton");
  next_->setObjectName("nextButton");
  exit_->setObjectName("exitButton");
  back_->setGeometry(160, 298, 100, 22);
  next_->setGeometry(270, 298, 100, 22);
  exit_->setGeometry(380, 298, 100, 22);
  connect(back_, &QPushButton::clicked, this, [this] { Finish(PageAction::kBack); });
  connect(next_, &QPushButton::clicked, this, [this] { Finish(PageAction::kNext); });
  connect(exit_, &QPushButton::clicked, this, [this] { ExitPressed(); });
  RefreshButtons();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

InstallerWindow::~InstallerWindow() = default;

void InstallerWindow::RefreshButtons() {
  const auto& texts = session_.texts();
  back_->setText(ToQt(texts.BackButton()));
  next_->setText(ToQt(texts.NextButton()));
  exit_->setText(ToQt(texts.ExitButton()));
}

void InstallerWindow::SetPage(std::unique_ptr<PageArea> page, const std::string& title) {
  progress_ = nullptr;
  page_ = std::move(page);
  title_->setText(ToQt(title));
  if (page_) page_->show();
}

PageAction InstallerWindow::RunPage(const QString& name) {
  action_.reset();
  emit pageShown(name);
  // A handler of pageShown may have answered already.
  if (!action_) {
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
  }
  return action_.value_or(PageAction::kExit);
}

void InstallerWindow::Finish(PageAction action) {
  action_ = action;
  if (loop_) loop_->quit();
}

bool InstallerWindow::ConfirmExit() {
  const auto& texts = session_.texts();
  return installer::ShowBox(session_.dialogs(), texts.ExitQuestion(), texts.ExitCaption(), "quest",
                            platform::kMbYesNo) == platform::kIdYes;
}

void InstallerWindow::ExitPressed() {
  if (ConfirmExit()) Finish(PageAction::kExit);
}

void InstallerWindow::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  // The window stays; leaving goes through the exit question, and not at all while installing.
  event->ignore();
  if (!installing_) ExitPressed();
}

PageAction InstallerWindow::LanguagePage(const std::vector<installer::LanguageEntry>& languages,
                                         const std::function<void(size_t)>& select) {
  std::vector<std::string> names;
  for (const auto& language : languages) names.push_back(language.display);
  auto page = std::make_unique<ListPage>(this, QRect(43, 104, 405, 156), QRect(45, 106, 400, 152),
                                         ToQtList(names));
  QListWidget* list = page->list();
  list->setObjectName("languageList");
  SetPage(std::move(page), "Please select a language:");
  back_->setEnabled(false);
  next_->setEnabled(false);
  exit_->setEnabled(true);
  connect(list, &QListWidget::currentRowChanged, this, [this, select](int row) {
    if (row < 0) return;
    select(static_cast<size_t>(row));
    RefreshButtons();
    next_->setEnabled(true);
  });
  const PageAction action = RunPage(QStringLiteral("language"));  // Back stays disabled here
  SetPage(nullptr, {});
  return action;
}

PageAction InstallerWindow::AboutPage(const std::string& title, const std::string& text) {
  auto page = std::make_unique<TextPage>(this, ToQt(text));
  page->text()->setObjectName("aboutText");
  SetPage(std::move(page), title);
  back_->setEnabled(false);
  next_->setEnabled(true);
  exit_->setEnabled(true);
  const PageAction action = RunPage(QStringLiteral("about"));  // Back stays disabled here
  SetPage(nullptr, {});
  return action;
}

PageChoice InstallerWindow::CopyChoicePage(const std::string& title,
                                           const std::vector<std::string>& executables) {
  auto page = std::make_unique<installer_ui::CopyChoicePage>(this, ToQtList(executables));
  QListWidget* list = page->list();
  SetPage(std::move(page), title);
  back_->setEnabled(true);
  next_->setEnabled(false);
  exit_->setEnabled(true);
  connect(list, &QListWidget::currentRowChanged, this,
          [this](int row) { next_->setEnabled(row >= 0); });
  const PageAction action = RunPage(QStringLiteral("copy choice"));
  const int row = list->currentRow();
  SetPage(nullptr, {});
  if (action == PageAction::kNext && row >= 0) return PageChoice::Copy(static_cast<size_t>(row));
  return action == PageAction::kBack ? PageChoice::Back() : PageChoice::Exit();
}

PageChoice InstallerWindow::NotFoundPage(const std::string& title, const std::string& text,
                                         const std::string& browser_title) {
  auto page = std::make_unique<TextPage>(this, ToQt(text));
  page->text()->setObjectName("notFoundText");
  SetPage(std::move(page), title);
  back_->setEnabled(true);
  next_->setEnabled(true);
  exit_->setEnabled(true);
  for (;;) {
    const PageAction action = RunPage(QStringLiteral("not found"));
    if (action != PageAction::kNext) {
      SetPage(nullptr, {});
      return action == PageAction::kBack ? PageChoice::Back() : PageChoice::Exit();
    }
    // A cancelled browser keeps the page.
    if (auto folder = browser_(ToQt(browser_title))) {
      SetPage(nullptr, {});
      return PageChoice::Folder(std::move(*folder));
    }
  }
}

void InstallerWindow::BeginProgress(const std::string& title) {
  auto page = std::make_unique<ProgressPage>(this);
  ProgressPage* progress = page.get();
  SetPage(std::move(page), title);
  progress_ = progress;
  progress_->elapsed()->setText(ToQt(session_.texts().ElapsedLabel(0)));
  back_->setEnabled(false);
  next_->setEnabled(false);
  exit_->setEnabled(false);
  installing_ = true;
  emit pageShown(QStringLiteral("progress"));
}

void InstallerWindow::Step(const installer::ProgressStep& step, const std::string& elapsed) {
  if (!progress_) return;
  progress_->bar()->setRange(0, std::max(step.total, 1));
  progress_->bar()->setValue(step.done);
  progress_->elapsed()->setText(ToQt(elapsed));
  QCoreApplication::processEvents();
}

void InstallerWindow::WaitForExit() {
  installing_ = false;
  exit_->setEnabled(true);
  while (RunPage(QStringLiteral("finished")) != PageAction::kExit) {
  }
}

void InstallerWindow::Close() {
  closing_ = true;
  SetPage(nullptr, {});
  close();
}

}  // namespace installer_ui
