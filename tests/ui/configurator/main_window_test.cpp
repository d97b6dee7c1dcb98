#include "ui/configurator/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/registry_store.h"
#include "platform/window_sockets.h"
#include "shell/autostart.h"
#include "shell/program_settings.h"
#include "shell/usage_counters.h"
#include "tests/ui/configurator/window_fixture.h"
#include "tools/pe_writer/pe_writer.h"
#include "ui/configurator/pages/dll_page.h"
#include "ui/configurator/pages/info_page.h"
#include "ui/configurator/pages/option_area.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

class MainWindowTest : public WindowFixture {
 protected:
  MainWindowTest() {
    root_.Write("Program/DATA/XML/Civ4_XML_Version.ini", "3.19 base\r\n");
    WriteGame("3, 1, 9, 0, (128100)");
    root_.Write("My Games/Beyond the Sword/CivilizationIV.ini", "[CONFIG]\r\n");
    root_.Write("Program/Settings/Vornak.ini",
                "[Main]\r\nFile=<Vornak Settings File>\r\n[Settings]\r\nAutoConfig=1\r\n"
                "InfoLang=0\r\nPatchToGameDir=" +
                    (root_ / "Game").string() + "\r\nPatchToSettingsDir=" +
                    (root_ / "My Games/Beyond the Sword").string() + "\r\nNifSkopePatch=\r\n");
  }

  void WriteGame(const char* version) {
    tools::PeVersionOptions options;
    options.file_version = version;
    root_.Write("Game/Civ4BeyondSword.exe", tools::BuildPeWithVersion(options));
  }

  std::unique_ptr<MainWindow> Make() { return MakeWindow(); }
};

TEST_F(MainWindowTest, StartsFindsTheGameAndLeavesItsFilesOnClose) {
  platform::RegistryStore(platform::RegistryStore::DefaultLocation())
      .Modify([](platform::RegistryData& data) {
        data.WriteString(std::string("HKEY_CURRENT_USER\\") + shell::kRunKey, "Vornak.TQ", "x");
      });
  auto window = Make();
  EXPECT_TRUE(fs::exists(root_ / "Program/Resource/Packages.ini"));
  EXPECT_EQ(shell::ReadCounter(root_ / "Program/Resource/LCounter.ini"), 1);
  window->show();
  QApplication::processEvents();
  EXPECT_EQ(window->centralWidget()->size(),
            QSize(MainWindow::kClientWidth, MainWindow::kClientHeight));

  EXPECT_TRUE(window->dll_page()->dll_switch()->isEnabled());
  EXPECT_EQ(window->dll_page()->inner_pages()->currentIndex(), DllPage::kDisabled);
  EXPECT_EQ(shell::CurrentProgramSettings().game_folder, (root_ / "Game").string() + "/");
  const auto* version = window->controls().FindAs<QLabel>("labelgameversion");
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->text(), QString::fromUtf8("Версия EXE файла Цивилизации: 3.1.9.0.(128100)"));
  EXPECT_EQ(window->controls().FindAs<QLabel>("LabelDataVersion")->text(),
            QString::fromUtf8("Версия DATA файлов: Unknown"));
  EXPECT_FALSE(platform::RegistryStore(platform::RegistryStore::DefaultLocation())
                   .Read()
                   .ValueExists(std::string("HKEY_CURRENT_USER\\") + shell::kRunKey, "Vornak.TQ"));

  window->close();
  const auto settings = platform::IniFile::Load(root_ / "Program/Settings/Vornak.ini");
  EXPECT_EQ(settings.Get("Settings", "PatchToGameDir"), (root_ / "Game").string() + "/");
  EXPECT_EQ(settings.Get("Settings", "InfoLang"), "1");  // the interface is Russian
  EXPECT_TRUE(shell::ReadCounter(root_ / "Program/Resource/TNCounter.ini").has_value());
}

TEST_F(MainWindowTest, AnotherGameVersionWithdrawsTheDllComponent) {
  WriteGame("3, 1, 7, 0, (128100)");
  auto window = Make();
  window->dll_page()->dll_switch()->setChecked(true);
  window->show();
  QApplication::processEvents();
  EXPECT_FALSE(window->dll_page()->dll_switch()->isEnabled());
  EXPECT_FALSE(window->dll_page()->dll_switch()->isChecked());
  EXPECT_EQ(window->dll_page()->inner_pages()->currentIndex(), DllPage::kWrongVersion);
}

TEST_F(MainWindowTest, NavigationEntriesSelectTheirPages) {
  auto window = Make();
  window->show();
  NavigationList* navigation = window->navigation();
  for (int entry = 0; entry < navigation->count(); ++entry) {
    QTest::mouseClick(navigation->EntryWidget(entry), Qt::LeftButton);
    EXPECT_EQ(window->current_page(), MainWindow::NavigationEntries()[entry].page_index);
    EXPECT_NE(window->current_page(), 8);
    EXPECT_EQ(navigation->LookOf(entry), NavigationList::Look::kSelected);
  }
  navigation->Hover(0);
  EXPECT_EQ(navigation->LookOf(0), NavigationList::Look::kHighlighted);
  navigation->Hover(1);
  EXPECT_EQ(navigation->LookOf(0), NavigationList::Look::kNormal);
  EXPECT_EQ(navigation->LookOf(1), NavigationList::Look::kHighlighted);
  navigation->Hover(navigation->count() - 1);  // the selected entry keeps its look
  EXPECT_EQ(navigation->LookOf(navigation->count() - 1), NavigationList::Look::kSelected);
}

TEST_F(MainWindowTest, AnotherCopyCanCloseTheWindowOnceModalWindowsAreGone) {
  auto window = Make();
  window->show();
  QApplication::processEvents();
  const auto windows = platform::FindWindowsIn(root_ / "Ostrel", MainWindow::kWindowClass);
  ASSERT_TRUE(windows.empty());  // a copy does not find itself
  const fs::path socket = platform::WindowSocketPath(MainWindow::kWindowClass);
  {
    platform::ModalWindowScope modal;
    ASSERT_TRUE(platform::SendWindowMessage(socket, platform::kWmUser + 1));
    QTest::qWait(300);
    EXPECT_TRUE(window->isVisible());
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 2000));
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(fs::exists(root_ / "Program/Settings/Vornak.ini"));
}

TEST_F(MainWindowTest, TheWheelScrollsThePageWhateverHasTheFocus) {
  auto window = Make();
  window->resize(MainWindow::kClientWidth, MainWindow::kClientHeight);
  window->show();
  window->ShowPage(4);
  auto* page = qobject_cast<QStackedWidget*>(window->controls().Find("PageControl1"))->widget(4);
  OptionArea* area = page->findChild<OptionArea*>();
  ASSERT_NE(area, nullptr);
  QLabel* first = nullptr;
  for (int i = 0; i < 80; ++i) {
    auto* label = new QLabel(QString("option %1").arg(i), area->widget());
    label->show();  // the page is already visible
    if (!first) first = label;
    area->content()->addWidget(label);
  }
  QApplication::processEvents();
  QScrollBar* bar = area->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  QWheelEvent back(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(first, &back);
  EXPECT_EQ(bar->value(), bar->singleStep());
  QWheelEvent forward(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(first, &forward);
  EXPECT_EQ(bar->value(), 0);
  QApplication::sendEvent(first, &forward);  // at the top nothing happens
  EXPECT_EQ(bar->value(), 0);
}

TEST_F(MainWindowTest, EveryPageRendersToAPicture) {
  CopySampleData();
  auto window = Make();
  window->show();
  QApplication::processEvents();
  fs::create_directories(VORNAK_SCREENSHOT_DIR);
  auto* pages = qobject_cast<QStackedWidget*>(window->controls().Find("PageControl1"));
  ASSERT_EQ(pages->count(), 14);
  for (int index = 0; index < pages->count(); ++index) {
    window->ShowPage(index);
    QApplication::processEvents();
    const QString file = QString("%1/page-%2-%3.png")
                             .arg(VORNAK_SCREENSHOT_DIR)
                             .arg(index, 2, 10, QChar('0'))
                             .arg(pages->widget(index)->objectName());
    EXPECT_TRUE(window->grab().save(file)) << file.toStdString();
  }
}

}  // namespace
}  // namespace ui
