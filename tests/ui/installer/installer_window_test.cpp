// The installer's window, driven page by page on the offscreen platform with the sample pack.
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QtTest>
#include <deque>
#include <functional>
#include <memory>

#include "installer/install_flow.h"
#include "platform/paths.h"
#include "platform/registry_store.h"
#include "platform/text.h"
#include "tests/support/temp_folder.h"
#include "tools/pe_writer/pe_writer.h"
#include "ui/installer/installer_pages.h"
#include "ui/installer/installer_window.h"
#include "ui/installer/qt_dialogs.h"

namespace fs = std::filesystem;
using installer_ui::InstallerWindow;

class InstallerWindowTest : public QObject {
  Q_OBJECT

 private:
  struct PageStep {
    QString page;
    std::function<void(InstallerWindow&)> act;
  };

  fs::path Copy(const std::string& folder) {
    tools::PeVersionOptions options;
    options.file_version = "1.5.0.2";
    const fs::path exe = folder_->Write(folder + "/Vornak.TQ", tools::BuildPeWithVersion(options));
    platform::RegistryStore(*folder_ / "Registry.txt").Modify([&](platform::RegistryData& data) {
      const uint32_t number = platform::CopyListCount(data) + 1;
      const auto key = platform::CopyListEntryKey(number);
      data.WriteString(key, "ExePatch", platform::PathToAnsi(exe));
      data.WriteString(key, "Version", "1.5.0.2k.lang");
      data.WriteString(key, "ProgramName", "Vornak.TQ");
      data.WriteDword(platform::kCopyListKey, platform::kCopyListCount, number);
    });
    return exe.parent_path();
  }

  // Runs the page sequence in the window; each page shown takes the next step of `steps`.
  installer::FlowResult Run(std::deque<PageStep> steps,
                            InstallerWindow::FolderBrowser browser = nullptr) {
    session_ = installer::Session::Open(
        {*folder_ / "pack", *folder_ / "Registry.txt", [](const fs::path&) { return false; }},
        dialogs_);
    window_ = std::make_unique<InstallerWindow>(*session_);
    if (browser) window_->set_folder_browser(std::move(browser));
    connect(window_.get(), &InstallerWindow::pageShown, this, [this, &steps](const QString& page) {
      if (steps.empty() || steps.front().page != page) {
        QWARN(qPrintable("unexpected page " + page));
        unexpected_ = true;
        dialogs_.QueueAnswer(platform::kIdYes);
        window_->exit_button()->click();
        return;
      }
      auto step = std::move(steps.front());
      steps.pop_front();
      step.act(*window_);
    });
    window_->show();
    const auto result = installer::RunInstaller(*session_, *window_);
    window_->disconnect(this);
    return result;
  }

  bool Installed(const fs::path& program) const {
    return fs::exists(program / "DATA/Components/Sample LoadingScreens 1.0/Version.ini");
  }

  std::unique_ptr<testing_support::TempFolder> folder_;
  platform::ScriptedDialogs dialogs_;
  std::unique_ptr<installer::Session> session_;
  std::unique_ptr<InstallerWindow> window_;
  bool unexpected_ = false;

 private slots:
  void init() {
    folder_ = std::make_unique<testing_support::TempFolder>();
    fs::copy(SAMPLE_PACK, *folder_ / "pack", fs::copy_options::recursive);
    dialogs_ = platform::ScriptedDialogs();
    unexpected_ = false;
  }

  void cleanup() {
    window_.reset();
    session_.reset();
    folder_.reset();
    QVERIFY(!unexpected_);
  }

  void languagePageOffersTheFilesAndSwitchesTheTexts() {
    const fs::path program = Copy("prog");
    dialogs_.QueueAnswer(platform::kIdYes);  // the exit question
    const auto result = Run({
        {"language",
         [](InstallerWindow& window) {
           QCOMPARE(window.page_title()->text(), QString("Please select a language:"));
           auto* list = window.findChild<QListWidget*>("languageList");
           QVERIFY(list);
           QCOMPARE(list->count(), 2);
           QCOMPARE(list->item(0)->text(), QString("Russian [Русский]"));
           QCOMPARE(list->item(1)->text(), QString("English [English]"));
           QVERIFY(!window.next_button()->isEnabled());
           QVERIFY(!window.back_button()->isEnabled());
           QCOMPARE(window.back_button()->text(), QString("<< Back"));
           list->setCurrentRow(0);
           QCOMPARE(window.next_button()->text(), QString("Далее >>"));
           list->setCurrentRow(1);
           QVERIFY(window.next_button()->isEnabled());
           QCOMPARE(window.next_button()->text(), QString("Next >>"));
           window.next_button()->click();
         }},
        {"about",
         [](InstallerWindow& window) {
           QCOMPARE(window.page_title()->text(), QString("About the pack:"));
           auto* text = window.findChild<QPlainTextEdit*>("aboutText");
           QVERIFY(text && text->isReadOnly());
           QVERIFY(text->toPlainText().contains("Two loading screens"));
           QVERIFY(!window.back_button()->isEnabled());
           window.exit_button()->click();
         }},
    });
    QCOMPARE(result.outcome, installer::Outcome::kCancelled);
    QCOMPARE(dialogs_.shown().size(), size_t{1});
    QCOMPARE(dialogs_.shown()[0].text, std::string("Do you really want to close the program?"));
    QCOMPARE(dialogs_.shown()[0].caption, std::string("Confirmation of exit..."));
    QVERIFY(!window_->isVisible());
    QVERIFY(!Installed(program));
  }

  void installsFromTheWindowWhichCannotBeClosedMeanwhile() {
    fs::remove_all(*folder_ / "pack/Language");  // no language files: Russian, no language page
    const fs::path program = Copy("prog");
    dialogs_.QueueAnswer(platform::kIdOk);   // folder found
    dialogs_.QueueAnswer(platform::kIdOk);   // installed
    dialogs_.QueueAnswer(platform::kIdYes);  // the exit question at the end
    size_t boxes_while_installing = 0;
    const auto result = Run({
        {"about",
         [](InstallerWindow& window) {
           QCOMPARE(window.size(), QSize(495, 328));
           QCOMPARE(window.windowTitle(), QString("Sample LoadingScreens 1.0"));
           QCOMPARE(window.page_title()->text(), QString("О пакете:"));
           QCOMPARE(window.exit_button()->text(), QString("Выход"));
           window.next_button()->click();
         }},
        {"progress",
         [&](InstallerWindow& window) {
           QVERIFY(!window.exit_button()->isEnabled());
           QVERIFY(!window.next_button()->isEnabled());
           QVERIFY(!window.back_button()->isEnabled());
           boxes_while_installing = dialogs_.shown().size();
           window.close();
           QVERIFY(window.isVisible());
         }},
        {"finished",
         [&](InstallerWindow& window) {
           QCOMPARE(dialogs_.shown().size(), boxes_while_installing + 1);  // the result only
           QVERIFY(window.exit_button()->isEnabled());
           auto* bar = window.findChild<QProgressBar*>("progressBar");
           QVERIFY(bar);
           QCOMPARE(bar->maximum(), 12);
           QCOMPARE(bar->value(), 12);
           QVERIFY(
               window.findChild<QLabel*>("elapsedLabel")->text().startsWith("Прошло времени: 00:"));
           window.close();  // the system button asks the exit question too
         }},
    });
    QCOMPARE(result.outcome, installer::Outcome::kInstalled);
    QVERIFY(Installed(program));
    QVERIFY(!result.start);
    QCOMPARE(dialogs_.shown().back().text, platform::Ansi("Запустить программу Vornak.TQ?"));
  }

  void longPathsShowTheirFullTextInATooltip() {
    fs::remove_all(*folder_ / "pack/Language");
    const std::string long_name(120, 'x');
    const fs::path far_program = Copy("a/" + long_name);
    Copy("b");
    dialogs_.QueueAnswer(platform::kIdYes);
    Run({
        {"about", [](InstallerWindow& window) { window.next_button()->click(); }},
        {"copy choice",
         [&](InstallerWindow& window) {
           auto* page = dynamic_cast<installer_ui::CopyChoicePage*>(window.page());
           QVERIFY(page);
           QListWidget* list = page->list();
           QCOMPARE(list->count(), 2);
           const QString far_exe = QString::fromStdString((far_program / "Vornak.TQ").string());
           QCOMPARE(list->item(0)->text(), far_exe);
           QCOMPARE(page->ToolTipFor(list->visualItemRect(list->item(0)).center()), far_exe);
           QCOMPARE(page->ToolTipFor(list->visualItemRect(list->item(1)).center()), QString());
           QVERIFY(!window.next_button()->isEnabled());
           list->setCurrentRow(1);
           QVERIFY(window.next_button()->isEnabled());
           window.exit_button()->click();
         }},
    });
  }

  void aCancelledFolderBrowserKeepsTheNotFoundPage() {
    fs::remove_all(*folder_ / "pack/Language");
    const fs::path program = *folder_ / "prog";
    tools::PeVersionOptions options;
    options.file_version = "1.5.0.2";
    folder_->Write("prog/Vornak.TQ", tools::BuildPeWithVersion(options));
    fs::create_directories(program / "Mods/Any");
    int browsed = 0;
    dialogs_.QueueAnswer(platform::kIdOk);
    dialogs_.QueueAnswer(platform::kIdOk);
    dialogs_.QueueAnswer(platform::kIdYes);
    const auto next = [](InstallerWindow& window) { window.next_button()->click(); };
    const auto result = Run(
        {
            {"about", next},
            {"not found",
             [](InstallerWindow& window) {
               QCOMPARE(window.page_title()->text(), QString("Программа не найдена:"));
               auto* text = window.findChild<QPlainTextEdit*>("notFoundText");
               QVERIFY(text && text->toPlainText().startsWith("Не найдено ни одной копии"));
               QVERIFY(window.back_button()->isEnabled());
               window.next_button()->click();
             }},
            {"not found", next},
            {"progress", [](InstallerWindow&) {}},
            {"finished", [](InstallerWindow& window) { window.exit_button()->click(); }},
        },
        [&](const QString& title) -> std::optional<fs::path> {
          CheckBrowserTitle(title);
          return ++browsed == 1 ? std::nullopt : std::optional<fs::path>(program / "Mods/Any");
        });
    QCOMPARE(browsed, 2);
    QCOMPARE(result.outcome, installer::Outcome::kInstalled);
    QVERIFY(Installed(program));
    // Chosen by hand: the hint to run the installer again for another copy.
    QCOMPARE(dialogs_.shown().at(dialogs_.shown().size() - 2).text,
             platform::Ansi("Для установки пакета в другую копию программы Vornak.TQ запустите "
                            "программу установки ещё раз!"));
  }

  void qtBoxesShowTheTextAndAnswerWithTheButtonPressed() {
    struct Case {
      unsigned flags;
      QMessageBox::StandardButton press;  // NoButton: the box is closed with Escape
      QMessageBox::Icon icon;
      int answer;
    } cases[] = {
        {platform::kMbOkCancel | platform::kMbIconExclamation, QMessageBox::Ok,
         QMessageBox::Warning, platform::kIdOk},
        {platform::kMbOkCancel, QMessageBox::NoButton, QMessageBox::NoIcon, platform::kIdCancel},
        {platform::kMbYesNo | platform::kMbIconQuestion, QMessageBox::Yes, QMessageBox::Question,
         platform::kIdYes},
        {platform::kMbYesNo | platform::kMbIconQuestion, QMessageBox::NoButton,
         QMessageBox::Question, platform::kIdNo},
        {platform::kMbOk | platform::kMbIconStop, QMessageBox::Ok, QMessageBox::Critical,
         platform::kIdOk},
    };
    installer_ui::QtDialogs dialogs;
    for (const auto& c : cases) {
      QString text;
      QMessageBox::Icon icon = QMessageBox::NoIcon;
      QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        icon = box->icon();
        if (c.press == QMessageBox::NoButton) {
          QTest::keyClick(box, Qt::Key_Escape);
        } else {
          box->button(c.press)->click();
        }
      });
      const int answer = dialogs.MessageBox(0, platform::Ansi("Строка 1\r\nСтрока 2"), "Caption...",
                                            c.flags | platform::kMbSystemModal);
      QCOMPARE(answer, c.answer);
      QCOMPARE(icon, c.icon);
      QCOMPARE(text, QString("Строка 1\nСтрока 2"));
    }
  }

 private:
  static void CheckBrowserTitle(const QString& title) {
    QCOMPARE(title, QString("Выберите папку программы:"));
  }
};

QTEST_MAIN(InstallerWindowTest)
#include "installer_window_test.moc"
