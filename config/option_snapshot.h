// An immutable picture of the option state, taken from the main window's controls before
// generation (or wherever a feature needs the options). Features read the snapshot and never the
// widgets; tests build snapshots directly with the builder.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/option_controls.h"

namespace config {

// A check box as generation asks for it by name: only an enabled and checked box counts as on.
enum class CheckBoxState { kAbsent, kNotCheckBox, kOn, kOff };

// A numbered option: a check box's checked state (1/0), a counter's position or a list's index,
// with the enabled state of its control.
struct OptionValue {
  int value = 0;
  bool enabled = true;
};

struct ListState {
  int index = -1;
  std::vector<std::string> items;  // ANSI
  bool enabled = true;
};

struct GridRow {
  std::string identifier;
  std::string value;  // ANSI
};

// An option of an external component, by its configuration key (component folder + "_" + ID).
struct ExternalOption {
  std::string value;
  bool enabled = true;
};

class OptionSnapshot {
 public:
  class Builder;

  OptionSnapshot() = default;

  CheckBoxState CheckBox(std::string_view name) const;
  // Enabled and checked.
  bool IsOn(std::string_view check_box) const { return CheckBox(check_box) == CheckBoxState::kOn; }

  std::optional<OptionValue> Option(int key) const;
  // The option's value (0 when unknown); for a check box whether it is checked, enabled or not.
  int Value(int key) const;
  bool Checked(int key) const { return Value(key) != 0; }

  // Rows of a grid in row order (row 1 first); empty for an unknown grid.
  const std::vector<GridRow>& Grid(std::string_view grid) const;
  // The value of the first row with that identifier.
  std::optional<std::string> GridValue(std::string_view grid, std::string_view identifier) const;

  // An item of the lines-of-development check list (false for a heading or an unknown item).
  bool LineItem(int item) const;

  const ListState* List(std::string_view name) const;
  // The text of the selected item; empty when nothing is selected.
  std::string SelectedText(std::string_view list) const;

  const std::string& interface_language() const { return interface_language_; }
  // The interface language is "Russian" or "Russkii".
  bool IsRussian() const;

  // Shorthands of generation: option 58 checked; option 59 on its first or second item.
  bool DllComponentOn() const { return Checked(58); }
  bool EvolutionOfWar() const { return DllVariant() == 0; }
  bool RevolutionDcm() const { return DllVariant() == 1; }

  const std::map<std::string, ExternalOption>& external() const { return external_; }

 private:
  struct Box {
    bool is_check_box = true;
    bool checked = false;
    bool enabled = true;
  };
  int DllVariant() const { return Option(59) ? Option(59)->value : -1; }

  std::map<std::string, Box> boxes_;  // by ASCII-lower-case name
  std::map<int, OptionValue> options_;
  std::map<std::string, std::vector<GridRow>> grids_;  // by ASCII-lower-case name
  std::vector<bool> line_items_;
  std::map<std::string, ListState> lists_;  // by ASCII-lower-case name
  std::string interface_language_;
  std::map<std::string, ExternalOption> external_;
};

class OptionSnapshot::Builder {
 public:
  Builder() = default;
  // Every option, list and check-list item at the window's initial state (the standard lines of
  // development, lists 59 and 173 with their items, list 12 empty).
  static Builder InitialState();

  // A numbered option; for a check-box option its named box follows.
  Builder& Option(int key, int value, bool enabled = true);
  Builder& CheckBox(std::string_view name, bool checked, bool enabled = true);
  Builder& NotCheckBox(std::string_view name);
  Builder& GridRow(std::string_view grid, std::string_view identifier, std::string_view value);
  Builder& LineItem(int item, bool checked);
  // A list control; for a numbered list its option follows the index.
  Builder& List(std::string_view name, int index, std::vector<std::string> items,
                bool enabled = true);
  Builder& Language(std::string_view language);
  Builder& External(std::string_view key, std::string_view value, bool enabled = true);

  OptionSnapshot Build() const { return snapshot_; }

 private:
  OptionSnapshot snapshot_;
};

// The snapshot of the controls: every catalogue option, list and check-list item, the five
// grids, the fixed difficulty levels, and the catalogue's other controls as "not a check box".
// `extra_controls` names further controls to ask about (any kind).
OptionSnapshot TakeSnapshot(const OptionControls& controls, std::string_view interface_language,
                            std::span<const std::string_view> extra_controls = {});

}  // namespace config
