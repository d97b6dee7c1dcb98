// A plain store of named controls implementing OptionControls for the tests. It runs no rule:
// setting a control only stores the value. Asking for a control it does not hold, or for the
// wrong kind, throws, so that a misspelt name in the code under test surfaces as a reported
// error.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/option_controls.h"

namespace config_test {

enum class Kind { kCheckBox, kUpDown, kEdit, kList, kCheckList, kGrid, kPageControl, kButton };

class FakeControls : public config::OptionControls {
 public:
  void Add(std::string_view name, Kind kind);
  void AddList(std::string_view name, std::vector<std::string> items);
  void AddCheckList(std::string_view name, int items);
  void AddGrid(std::string_view name, std::vector<std::pair<std::string, std::string>> rows);
  // A counter's edit that keeps at most `max_length` characters of any text set into it, as the
  // window's edit does.
  void AddEdit(std::string_view name, int max_length);
  // Makes the next access to `name` throw (a control that fails while it is read).
  void Break(std::string_view name) { broken_ = name; }

  // Every control as one line of text, sorted by name: two fakes in the same state dump equal.
  std::string Dump() const;
  // Grid names in the order their cells were set.
  const std::vector<std::string>& row_writes() const { return row_writes_; }

  bool Exists(std::string_view name) const override;
  bool IsEnabled(std::string_view name) const override;
  void SetEnabled(std::string_view name, bool enabled) override;
  bool IsCheckBox(std::string_view name) const override;
  bool IsChecked(std::string_view name) const override;
  void SetChecked(std::string_view name, bool checked) override;
  int Position(std::string_view up_down) const override;
  void SetPosition(std::string_view up_down, int position) override;
  std::string Text(std::string_view edit) const override;
  void SetText(std::string_view edit, std::string_view text) override;
  int ItemIndex(std::string_view list) const override;
  void SetItemIndex(std::string_view list, int index) override;
  int ItemCount(std::string_view list) const override;
  std::string ItemText(std::string_view list, int index) const override;
  bool IsItemChecked(std::string_view check_list, int item) const override;
  void SetItemChecked(std::string_view check_list, int item, bool checked) override;
  int RowCount(std::string_view grid) const override;
  std::string RowKey(std::string_view grid, int row) const override;
  std::string RowValue(std::string_view grid, int row) const override;
  void SetRowValue(std::string_view grid, int row, std::string_view value) override;
  int PageIndex(std::string_view page_control) const override;
  void ShowPage(std::string_view page_control, int index) override;

 private:
  struct Control {
    Kind kind = Kind::kCheckBox;
    bool enabled = true;
    bool checked = false;
    int position = 0;
    std::string text;
    int max_length = 0;  // edits: 0 keeps every character
    int index = -1;
    std::vector<std::string> items;
    std::vector<bool> item_checks;
    std::vector<std::pair<std::string, std::string>> rows;
  };
  const Control& Get(std::string_view name, Kind kind) const;
  Control& Get(std::string_view name, Kind kind);
  const Control& GetAny(std::string_view name) const;

  std::map<std::string, Control> controls_;  // by ASCII-lower-case name
  std::string broken_;
  std::vector<std::string> row_writes_;
};

// Grid rows of the fake main window: (identifier, value) per grid, in row order.
extern const std::vector<std::pair<std::string, std::string>> kChangeRows;
extern const std::vector<std::pair<std::string, std::string>> kAirRows;
extern const std::vector<std::pair<std::string, std::string>> kNavyRows;
extern const std::vector<std::pair<std::string, std::string>> kLandRows;
extern const std::vector<std::pair<std::string, std::string>> kFlagRows;

// Every control of the main window that the catalogue names, with lists 59 and 173 filled and
// three loading screens in list 12. Its state is arbitrary until the rules initialise it.
FakeControls MainWindowControls();

}  // namespace config_test
