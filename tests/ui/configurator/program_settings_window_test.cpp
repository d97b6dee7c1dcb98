#include "ui/configurator/program_settings_window.h"

#include <gtest/gtest.h>

#include <QLineEdit>

#include "platform/dialogs.h"
#include "platform/text.h"
#include "shell/program_settings.h"
#include "tests/support/temp_folder.h"

namespace ui {
namespace {

TEST(ProgramSettingsWindow, TheFolderChoiceCorrectsOrWarns) {
  testing_support::TempFolder root;
  testing_support::ScopedEnv registry("OSTREL_REGISTRY", (root / "Registry.txt").c_str());
  root.Write("Civ4/Beyond the Sword/Civ4BeyondSword.exe", "MZ");
  root.Write("Docs/My Games/Beyond the Sword/CivilizationIV.ini", "");
  platform::ScriptedDialogs dialogs;
  platform::SetCurrentDialogs(&dialogs);
  shell::CurrentProgramSettings() = {};

  std::optional<QString> answer = QString::fromStdString((root / "Civ4").string());
  ProgramSettingsWindow window(nullptr,
                               [&](QWidget*, const QString&, const QString&) { return answer; });
  window.ChooseGameFolder();  // one level too high: corrected
  EXPECT_EQ(shell::CurrentProgramSettings().game_folder,
            (root / "Civ4/Beyond the Sword").string() + "/");
  EXPECT_EQ(window.controls().FindAs<QLineEdit>("Edit1")->text().toStdString(),
            shell::CurrentProgramSettings().game_folder);

  answer = QString::fromStdString((root / "Docs").string());
  window.ChooseSettingsFolder();  // no marker in Docs or next to it
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(platform::Cp1251ToUtf8(dialogs.shown()[0].text),
            "В выбранной папке не обнаружено файла \"CivilizationIV.ini\"!");
  EXPECT_TRUE(shell::CurrentProgramSettings().game_settings_folder.empty());

  answer = std::nullopt;
  window.ChooseSettingsFolder();
  EXPECT_EQ(platform::Cp1251ToUtf8(dialogs.shown().back().text), "Папка не выбрана!");
  EXPECT_EQ(platform::Cp1251ToUtf8(dialogs.shown().back().caption), "Предупреждение...");
  platform::SetCurrentDialogs(nullptr);
}

}  // namespace
}  // namespace ui
