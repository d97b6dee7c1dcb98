// The program settings window TForm3: the game folder, the game's settings folder and whether the
// configuration is kept between runs.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <functional>
#include <optional>

#include "ui/configurator/control_registry.h"

namespace ui {

class ProgramSettingsWindow : public QDialog {
  Q_OBJECT

 public:
  // Asks the user for a folder, starting at the given one; nullopt when nothing was chosen.
  using FolderChooser = std::function<std::optional<QString>(QWidget* owner, const QString& caption,
                                                             const QString& start)>;

  explicit ProgramSettingsWindow(QWidget* owner, FolderChooser chooser = {});

  // The folder choice of the two "Выбрать..." buttons.
  void ChooseGameFolder();
  void ChooseSettingsFolder();
  void Confirm();  // "Ok"
  void Cancel();   // "Отмена"

  const ControlRegistry& controls() const { return controls_; }

 private:
  enum class Target { kGame, kSettings };
  void ChangeFolder(Target target);

  ControlRegistry controls_;
  FolderChooser chooser_;
  QLineEdit* game_field_;
  QLineEdit* settings_field_;
  QCheckBox* auto_config_;
};

}  // namespace ui
