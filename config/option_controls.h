// The option state as the main window's controls hold it, seen by control name.
//
// The configurator keeps no separate options object: what the user chose lives in the controls
// (check boxes, counters, lists, the check list of the lines of development, the unit grids), and
// the control names are part of the data interface (configuration keys map to them, patch files
// test check boxes by them). The UI implements this interface over its widgets; tests use a plain
// fake. Names are compared without ASCII case.
//
// Setting a value through this interface only sets the control; it runs no rule. The rules of the
// options (config/option_rules.h) call these setters and cascade themselves; the UI calls the rules
// for what the user does.
#pragma once

#include <string>
#include <string_view>

namespace config {

class OptionControls {
 public:
  virtual ~OptionControls() = default;

  // The control exists (any kind).
  virtual bool Exists(std::string_view name) const = 0;

  // Enabled state of any control (a counter's up-down and edit are one control for this: the
  // up-down's name enables both, and the counter's label with them).
  virtual bool IsEnabled(std::string_view name) const = 0;
  virtual void SetEnabled(std::string_view name, bool enabled) = 0;

  // Check boxes (and radio buttons).
  virtual bool IsCheckBox(std::string_view name) const = 0;
  virtual bool IsChecked(std::string_view name) const = 0;
  virtual void SetChecked(std::string_view name, bool checked) = 0;

  // Counters: the up-down's position (by the up-down's name, "UpDown3") and the edit's text (by
  // the edit's name, "NTCEdit2").
  virtual int Position(std::string_view up_down) const = 0;
  virtual void SetPosition(std::string_view up_down, int position) = 0;
  virtual std::string Text(std::string_view edit) const = 0;  // ANSI
  virtual void SetText(std::string_view edit, std::string_view text) = 0;

  // Lists and drop-down lists: the selected index, -1 when none.
  virtual int ItemIndex(std::string_view list) const = 0;
  virtual void SetItemIndex(std::string_view list, int index) = 0;
  virtual int ItemCount(std::string_view list) const = 0;
  virtual std::string ItemText(std::string_view list, int index) const = 0;  // ANSI

  // The check list of the lines of development ("CheckListBox1"): items by index from 0.
  virtual bool IsItemChecked(std::string_view check_list, int item) const = 0;
  virtual void SetItemChecked(std::string_view check_list, int item, bool checked) = 0;

  // Value-list grids ("ValueListEditor2"): rows 1 to RowCount (row 0 is the title row), each with
  // its key (the catalogue identifier) and its value cell.
  virtual int RowCount(std::string_view grid) const = 0;
  virtual std::string RowKey(std::string_view grid, int row) const = 0;
  virtual std::string RowValue(std::string_view grid, int row) const = 0;
  virtual void SetRowValue(std::string_view grid, int row, std::string_view value) = 0;

  // Page controls with hidden tabs ("PageControl2", the DLL page's inner pages).
  virtual int PageIndex(std::string_view page_control) const = 0;
  virtual void ShowPage(std::string_view page_control, int index) = 0;
};

}  // namespace config
