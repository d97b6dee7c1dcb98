// The generation window over the main window with the sample data.
#include "ui/configurator/generation_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "platform/dialogs.h"
#include "platform/file_io.h"
#include "shell/program_settings.h"
#include "tests/ui/configurator/window_fixture.h"
#include "ui/configurator/main_window.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

class GenerationWindowTest : public WindowFixture {
 protected:
  GenerationWindowTest() {
    CopySampleData();
    root_.Write("Game/Civ4BeyondSword.exe", "MZ");
    root_.Write("My Games/CivilizationIV.ini", "");
    root_.Write(
        "Program/Settings/Vornak.ini",
        "[Settings]\r\nAutoConfig=0\r\nInfoLang=0\r\nPatchToGameDir=" + (root_ / "Game").string() +
            "\r\nPatchToSettingsDir=" + (root_ / "My Games").string() + "\r\nNifSkopePatch=\r\n");
    main_ = MakeWindow();
    main_->show();
    QApplication::processEvents();
  }

  std::unique_ptr<MainWindow> main_;
};

TEST_F(GenerationWindowTest, NothingChosenBlocksTheRun) {
  GenerationWindow window(*main_, root_ / "Desktop");
  window.show();
  QApplication::processEvents();
  EXPECT_EQ(window.page(), GenerationWindow::kWarnings);
  EXPECT_FALSE(window.controls().FindAs<QPushButton>("Button2")->isEnabled());
  EXPECT_EQ(window.controls().FindAs<QLineEdit>("NTCEdit1")->text(), "Vornak.TQ 1.5.0");
}

TEST_F(GenerationWindowTest, AnExistingModIsReplacedOnlyAfterOk) {
  main_->option_controls().SetRowValue("ValueListEditor5", 1, "Imperial");  // one flag
  root_.Write("Game/Mods/Vornak.TQ 1.5.0/keep.txt", "previous");
  GenerationWindow window(*main_, root_ / "Desktop");
  window.show();
  QApplication::processEvents();
  ASSERT_EQ(window.page(), GenerationWindow::kSettings);

  dialogs_.QueueAnswer(platform::kIdCancel);
  window.Next();
  EXPECT_FALSE(window.running());
  EXPECT_EQ(window.page(), GenerationWindow::kSettings);
  EXPECT_TRUE(fs::exists(root_ / "Game/Mods/Vornak.TQ 1.5.0/keep.txt"));
  ASSERT_FALSE(dialogs_.shown().empty());
  EXPECT_NE(dialogs_.shown().back().text.find("Vornak.TQ 1.5.0"), std::string::npos);

  QSignalSpy ended(&window, &GenerationWindow::RunEnded);
  dialogs_.QueueAnswer(platform::kIdOk);
  window.Next();
  EXPECT_TRUE(window.running() || ended.count() == 1);
  ASSERT_TRUE(ended.count() == 1 || ended.wait(20000));
  EXPECT_TRUE(window.result().succeeded) << window.result().failure;
  EXPECT_FALSE(fs::exists(root_ / "Game/Mods/Vornak.TQ 1.5.0/keep.txt"));
  EXPECT_TRUE(fs::exists(root_ / "Game/Mods/Vornak.TQ 1.5.0/Vornak.TQ 1.5.0.ini"));
  EXPECT_TRUE(fs::exists(root_ / "Desktop/Vornak.TQ 1.5.0.desktop"));
}

}  // namespace
}  // namespace ui
