// The pages that hold numbered options: the game rules, the speeds, the future components and the
// religions (one scrolling list each), the lines of development, and the interface page with its
// loading screens.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <vector>

#include "config/option_rules.h"
#include "ui/configurator/control_registry.h"
#include "ui/configurator/pages/option_area.h"
#include "ui/widgets/check_list_box.h"

namespace ui {

// A page whose options scroll in one list, with the page's standard-values button below.
class OptionsPage : public Page {
  Q_OBJECT

 public:
  OptionsPage(const char* tab, const char* header, ControlRegistry& controls,
              config::OptionRules& rules, QWidget* parent);
};

// The lines of development.
class LinesPage : public Page {
  Q_OBJECT

 public:
  LinesPage(ControlRegistry& controls, config::OptionRules& rules, QWidget* parent);
  CheckListBox* list() const { return list_; }

 private:
  CheckListBox* list_;
};

// The religions, with pictures in Russian and in English.
class ReligionsPage : public OptionsPage {
  Q_OBJECT

 public:
  ReligionsPage(ControlRegistry& controls, config::OptionRules& rules, QWidget* parent);
  // Shows the Russian pictures for a Russian interface, the English ones otherwise.
  void ShowPicturesFor(bool russian);

 private:
  std::vector<QLabel*> russian_;
  std::vector<QLabel*> english_;
};

// The interface page: art and interface options, and the loading screens with their preview.
class InterfacePage : public Page {
  Q_OBJECT

 public:
  InterfacePage(ControlRegistry& controls, config::OptionRules& rules, QWidget* parent);
  QListWidget* screens() const { return screens_; }
  QLabel* preview() const { return preview_; }
  QPushButton* delete_button() const { return delete_button_; }

 private:
  QListWidget* screens_;
  QLabel* preview_;
  QPushButton* delete_button_;
};

}  // namespace ui
