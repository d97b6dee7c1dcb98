// The pages whose options are unit grids: the change-model page (standard units), the flag page
// (civilizations, with the flag-shape options below the grid) and the new-unit page (three
// collapsible groups: air, sea and land units).
#pragma once

#include <QLabel>
#include <array>
#include <functional>
#include <string>

#include "catalogue/description_panel.h"
#include "config/option_rules.h"
#include "ui/configurator/control_registry.h"
#include "ui/configurator/pages/description_box.h"
#include "ui/configurator/pages/option_area.h"
#include "ui/widgets/value_list_editor.h"

namespace ui {

// What a grid page asks the window for.
struct GridPageServices {
  // The description of a row (kind, row, the row's value).
  std::function<catalogue::DescriptionPanel(int kind, int row, const std::string& value)> describe;
  // Value changes are not described while a configuration is read or the start-up runs.
  std::function<bool()> changes_ignored;
  // A failure to show a description, under the handler's location code.
  std::function<void(const char* code)> report;
};

// One grid with the description of its selected row.
class DescribedGrid : public QObject {
  Q_OBJECT

 public:
  DescribedGrid(ValueListEditor* grid, int kind, DescriptionBox* box, GridPageServices services,
                const char* code);
  // Describes the selected row (or row 1 when none is selected).
  void DescribeSelected();
  void Describe(int row, const QString& value);
  ValueListEditor* grid() const { return grid_; }
  int kind() const { return kind_; }
  bool has_focus() const { return has_focus_; }

 private:
  ValueListEditor* grid_;
  int kind_;
  DescriptionBox* box_;
  GridPageServices services_;
  const char* code_;
  // The row and value of the last edit, which the change event describes.
  int edited_row_ = 0;
  QString edited_value_;
  bool has_focus_ = false;
};

// The change-model page (kind 3) or the flag page (kind 4).
class GridPage : public Page {
  Q_OBJECT

 public:
  GridPage(const char* tab, const char* header, int kind, ControlRegistry& controls,
           config::OptionRules& rules, GridPageServices services, QWidget* parent);
  DescribedGrid* grid() const { return grid_; }

 private:
  DescribedGrid* grid_;
};

// The new-unit page: three groups, of which at most one is open.
class NewUnitsPage : public Page {
  Q_OBJECT

 public:
  static constexpr int kCollapsedHeight = 22;
  static constexpr int kOpenHeight = 475;

  NewUnitsPage(ControlRegistry& controls, GridPageServices services, QWidget* parent);

  // A click on a group's header: a collapsed group opens (and the others collapse), the open
  // group collapses.
  void HeaderClicked(int group);
  void Open(int group);
  bool IsOpen(int group) const { return groups_[static_cast<size_t>(group)].open; }
  // The group of a grid name ("ValueListEditor3"), -1 when none.
  int GroupOfGrid(std::string_view grid) const;
  DescribedGrid* grid(int group) const { return groups_[static_cast<size_t>(group)].grid; }
  QWidget* panel(int group) const { return groups_[static_cast<size_t>(group)].panel; }
  QLabel* header(int group) const { return groups_[static_cast<size_t>(group)].header; }
  // Describes the selected row of every open group (entering the page).
  void DescribeOpenGroups();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Group {
    QWidget* panel = nullptr;
    QLabel* header = nullptr;
    QString title;
    DescribedGrid* grid = nullptr;
    bool open = false;
  };
  void SetOpen(int group, bool open);

  std::array<Group, 3> groups_;
};

}  // namespace ui
