// The generation window over the main window with the sample data.
#include "ui/configurator/generation_window.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "generation/run_lock.h"
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

TEST_F(GenerationWindowTest, AModAnInterruptedRunSetAsideIsBackAndAskedAbout) {
  main_->option_controls().SetRowValue("ValueListEditor5", 1, "Imperial");
  // A run killed between setting the old mod aside and putting the new one in its place.
  root_.Write("Game/Mods/.Vornak.TQ 1.5.0.old-Ab12Cd/keep.txt", "previous");
  GenerationWindow window(*main_, root_ / "Desktop");
  window.show();
  QApplication::processEvents();
  dialogs_.QueueAnswer(platform::kIdCancel);
  window.Next();
  EXPECT_FALSE(window.running());
  ASSERT_EQ(dialogs_.shown().size(), 1u);
  EXPECT_NE(dialogs_.shown().back().text.find("Mods/Vornak.TQ 1.5.0"), std::string::npos);
  EXPECT_EQ(root_.Read("Game/Mods/Vornak.TQ 1.5.0/keep.txt"), "previous");
}

TEST_F(GenerationWindowTest, TheQuestionNamesALauncherTheShortcutWouldReplace) {
  main_->option_controls().SetRowValue("ValueListEditor5", 1, "Imperial");
  const std::string launcher =
      root_.Write("Desktop/Vornak.TQ 1.5.0.desktop", "another program").string();
  GenerationWindow window(*main_, root_ / "Desktop");
  window.show();
  QApplication::processEvents();
  dialogs_.QueueAnswer(platform::kIdCancel);
  window.Next();
  EXPECT_FALSE(window.running());
  ASSERT_EQ(dialogs_.shown().size(), 1u);
  EXPECT_NE(dialogs_.shown().back().text.find(launcher), std::string::npos);
  EXPECT_EQ(root_.Read("Desktop/Vornak.TQ 1.5.0.desktop"), "another program");

  // Without the shortcut the launcher is not the run's business: no question, and it stays.
  window.controls().FindAs<QCheckBox>("CheckBox1")->setChecked(false);
  QSignalSpy ended(&window, &GenerationWindow::RunEnded);
  window.Next();
  ASSERT_TRUE(ended.count() == 1 || ended.wait(20000));
  EXPECT_TRUE(window.result().succeeded) << window.result().failure;
  EXPECT_EQ(dialogs_.shown().size(), 2u);  // only the end message
  EXPECT_EQ(root_.Read("Desktop/Vornak.TQ 1.5.0.desktop"), "another program");
}

TEST_F(GenerationWindowTest, AnotherRunInTheModsFolderStopsTheRunWithAMessage) {
  main_->option_controls().SetRowValue("ValueListEditor5", 1, "Imperial");
  root_.Write("Game/Mods/Vornak.TQ 1.5.0/keep.txt", "previous");
  // Another process holds the Mods folder's lock and has left its note.
  const auto lock_file = root_.Write("Game/Mods/" + std::string(generation::kRunLockFileName),
                                     "pid=4242\nstarted=2026-12-11 10:00:00\n");
  const int other = open(lock_file.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(other, 0);
  ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
  GenerationWindow window(*main_, root_ / "Desktop");
  window.show();
  QApplication::processEvents();
  dialogs_.QueueAnswer(platform::kIdOk);
  window.Next();
  EXPECT_FALSE(window.running());
  EXPECT_EQ(window.page(), GenerationWindow::kSettings);
  ASSERT_FALSE(dialogs_.shown().empty());
  EXPECT_NE(dialogs_.shown().back().text.find("4242"), std::string::npos);
  EXPECT_NE(dialogs_.shown().back().text.find("2026-12-11 10:00:00"), std::string::npos);
  EXPECT_EQ(root_.Read("Game/Mods/Vornak.TQ 1.5.0/keep.txt"), "previous");
  close(other);
}

}  // namespace
}  // namespace ui
