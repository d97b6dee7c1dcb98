#include "ui/configurator/program_settings_window.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "errors/guard.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/autostart.h"
#include "shell/message_box.h"
#include "shell/program_settings.h"
#include "ui/configurator/ansi.h"
#include "ui/configurator/qt_dialogs.h"

namespace ui {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

std::optional<QString> AskForFolder(QWidget* owner, const QString& caption, const QString& start) {
  const QString chosen = QFileDialog::getExistingDirectory(owner, caption, start);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen;
}

}  // namespace

ProgramSettingsWindow::ProgramSettingsWindow(QWidget* owner, FolderChooser chooser)
    : QDialog(owner), chooser_(chooser ? std::move(chooser) : AskForFolder) {
  setObjectName("TForm3");
  setWindowTitle(U("Настройки программы..."));
  setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
  setFixedSize(525, 272);
  auto* layout = new QGridLayout(this);
  const shell::ProgramSettings& settings = shell::CurrentProgramSettings();

  layout->addWidget(new QLabel(U("Путь к папке Civilization 4"), this), 0, 0, 1, 2);
  game_field_ = controls_.Add(new QLineEdit(FromAnsi(settings.game_folder), this), "Edit1");
  game_field_->setReadOnly(true);
  layout->addWidget(game_field_, 1, 0);
  auto* choose_game = controls_.Add(new QPushButton(U("Выбрать..."), this), "Button3");
  layout->addWidget(choose_game, 1, 1);

  layout->addWidget(new QLabel(U("Путь к папке настроек"), this), 2, 0, 1, 2);
  settings_field_ =
      controls_.Add(new QLineEdit(FromAnsi(settings.game_settings_folder), this), "Edit2");
  settings_field_->setReadOnly(true);
  layout->addWidget(settings_field_, 3, 0);
  auto* choose_settings = controls_.Add(new QPushButton(U("Выбрать..."), this), "Button4");
  layout->addWidget(choose_settings, 3, 1);

  auto_config_ = controls_.Add(
      new QCheckBox(U("Авто сохранение конфигурации при выходе из программы"), this), "CheckBox1");
  auto_config_->setChecked(settings.auto_config);
  layout->addWidget(auto_config_, 4, 0, 1, 2);

  auto* ok = controls_.Add(new QPushButton("Ok", this), "Button1");
  auto* cancel = controls_.Add(new QPushButton(U("Отмена"), this), "Button2");
  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 5, 0, 1, 2);
  layout->setRowStretch(6, 1);

  connect(choose_game, &QPushButton::clicked, this, &ProgramSettingsWindow::ChooseGameFolder);
  connect(choose_settings, &QPushButton::clicked, this,
          &ProgramSettingsWindow::ChooseSettingsFolder);
  connect(ok, &QPushButton::clicked, this, &ProgramSettingsWindow::Confirm);
  connect(cancel, &QPushButton::clicked, this, &ProgramSettingsWindow::Cancel);
  if (owner) move(owner->geometry().center() - rect().center());
}

void ProgramSettingsWindow::ChooseGameFolder() {
  errors::Guarded("06.002-01", [&] { ChangeFolder(Target::kGame); });
}

void ProgramSettingsWindow::ChooseSettingsFolder() {
  errors::Guarded("06.003-01", [&] { ChangeFolder(Target::kSettings); });
}

void ProgramSettingsWindow::ChangeFolder(Target target) {
  const bool game = target == Target::kGame;
  QLineEdit* field = game ? game_field_ : settings_field_;
  const std::string warning = platform::Ansi("Предупреждение...");
  const auto warn = [&](const std::string& text) {
    shell::ShowMessage(RefOf(this), text, warning, platform::kMbSystemModal, "warning");
  };
  const auto chosen = chooser_(this,
                               game ? U("Выберите папку в которой находится игра...")
                                    : U("Выберите папку в которой находятся настройки..."),
                               field->text());
  if (!chosen) {
    warn(platform::Ansi("Папка не выбрана!"));
    return;
  }
  if (!platform::IsOnLocalDisk(chosen->toStdString())) {
    warn(platform::Ansi("Не верный формат диска!"));
    return;
  }
  if (*chosen == field->text() && !field->text().isEmpty()) return;
  const char* marker = game ? shell::kGameExecutable : shell::kGameSettingsFile;
  const auto found = shell::FindMarkerFolder(ToAnsi(*chosen), marker);
  if (!found) {
    warn(platform::FormatMessage(platform::Ansi("В выбранной папке не обнаружено файла \"%s\"!"),
                                 {marker}));
    return;
  }
  shell::ProgramSettings& settings = shell::CurrentProgramSettings();
  if (game) {
    settings.game_folder = platform::WithTrailingSeparator(*found);
    field->setText(FromAnsi(settings.game_folder));
  } else {
    settings.game_settings_folder = *found;
    field->setText(FromAnsi(settings.game_settings_folder));
  }
}

void ProgramSettingsWindow::Confirm() {
  errors::Guarded("06.004-01", [&] {
    shell::CurrentProgramSettings().auto_config = auto_config_->isChecked();
    shell::RemoveAutostartEntries();
    accept();
  });
}

void ProgramSettingsWindow::Cancel() {
  errors::Guarded("06.005-01", [&] {
    shell::RemoveAutostartEntries();
    reject();
  });
}

}  // namespace ui
