#include "config/option_snapshot.h"

#include "config/option_catalogue.h"
#include "platform/text.h"

namespace config {
namespace {

const std::vector<GridRow> kNoRows;

}  // namespace

CheckBoxState OptionSnapshot::CheckBox(std::string_view name) const {
  const auto box = boxes_.find(platform::AsciiLower(name));
  if (box == boxes_.end()) return CheckBoxState::kAbsent;
  if (!box->second.is_check_box) return CheckBoxState::kNotCheckBox;
  return box->second.checked && box->second.enabled ? CheckBoxState::kOn : CheckBoxState::kOff;
}

std::optional<OptionValue> OptionSnapshot::Option(int key) const {
  const auto option = options_.find(key);
  if (option == options_.end()) return std::nullopt;
  return option->second;
}

int OptionSnapshot::Value(int key) const {
  const auto option = options_.find(key);
  return option == options_.end() ? 0 : option->second.value;
}

const std::vector<GridRow>& OptionSnapshot::Grid(std::string_view grid) const {
  const auto rows = grids_.find(platform::AsciiLower(grid));
  return rows == grids_.end() ? kNoRows : rows->second;
}

std::optional<std::string> OptionSnapshot::GridValue(std::string_view grid,
                                                     std::string_view identifier) const {
  for (const GridRow& row : Grid(grid)) {
    if (platform::EqualsNoCase(row.identifier, identifier)) return row.value;
  }
  return std::nullopt;
}

bool OptionSnapshot::LineItem(int item) const {
  return item >= 0 && static_cast<size_t>(item) < line_items_.size() && line_items_[item];
}

const ListState* OptionSnapshot::List(std::string_view name) const {
  const auto list = lists_.find(platform::AsciiLower(name));
  return list == lists_.end() ? nullptr : &list->second;
}

std::string OptionSnapshot::SelectedText(std::string_view list) const {
  const ListState* state = List(list);
  if (!state || state->index < 0 || static_cast<size_t>(state->index) >= state->items.size()) {
    return {};
  }
  return state->items[state->index];
}

bool OptionSnapshot::IsRussian() const {
  return interface_language_ == "Russian" || interface_language_ == "Russkii";
}

OptionSnapshot::Builder OptionSnapshot::Builder::InitialState() {
  Builder builder;
  for (const OptionSpec& spec : Options()) {
    if (spec.kind == OptionKind::kList) {
      std::vector<std::string> items;
      for (std::string_view item : ListItems(spec.key)) items.push_back(platform::Ansi(item));
      builder.List(spec.control, spec.initial, std::move(items), spec.initially_enabled);
    } else {
      builder.Option(spec.key, spec.initial, spec.initially_enabled);
    }
  }
  for (const FixedLevelSpec& level : FixedLevels()) builder.CheckBox(level.control, true, false);
  for (const LineItemSpec& item : LineItems()) builder.LineItem(item.item, item.standard);
  return builder;
}

OptionSnapshot::Builder& OptionSnapshot::Builder::Option(int key, int value, bool enabled) {
  snapshot_.options_[key] = OptionValue{value, enabled};
  if (const OptionSpec* spec = FindOption(key)) {
    if (spec->kind == OptionKind::kCheckBox) {
      CheckBox(spec->control, value != 0, enabled);
    } else {
      NotCheckBox(spec->control);
      if (spec->kind == OptionKind::kCounter) NotCheckBox(spec->counter.edit);
      if (spec->kind == OptionKind::kList) {
        ListState& list = snapshot_.lists_[platform::AsciiLower(spec->control)];
        list.index = value;
        list.enabled = enabled;
      }
    }
  }
  return *this;
}

OptionSnapshot::Builder& OptionSnapshot::Builder::CheckBox(std::string_view name, bool checked,
                                                           bool enabled) {
  snapshot_.boxes_[platform::AsciiLower(name)] = Box{true, checked, enabled};
  return *this;
}

OptionSnapshot::Builder& OptionSnapshot::Builder::NotCheckBox(std::string_view name) {
  snapshot_.boxes_[platform::AsciiLower(name)] = Box{false, false, false};
  return *this;
}

OptionSnapshot::Builder& OptionSnapshot::Builder::GridRow(std::string_view grid,
                                                          std::string_view identifier,
                                                          std::string_view value) {
  snapshot_.grids_[platform::AsciiLower(grid)].push_back(
      config::GridRow{std::string(identifier), std::string(value)});
  return *this;
}

OptionSnapshot::Builder& OptionSnapshot::Builder::LineItem(int item, bool checked) {
  if (item < 0) return *this;
  if (snapshot_.line_items_.size() <= static_cast<size_t>(item)) {
    snapshot_.line_items_.resize(item + 1, false);
  }
  snapshot_.line_items_[item] = checked;
  return *this;
}

OptionSnapshot::Builder& OptionSnapshot::Builder::List(std::string_view name, int index,
                                                       std::vector<std::string> items,
                                                       bool enabled) {
  snapshot_.lists_[platform::AsciiLower(name)] = ListState{index, std::move(items), enabled};
  NotCheckBox(name);
  if (const OptionSpec* spec = FindOptionByControl(name)) {
    snapshot_.options_[spec->key] = OptionValue{index, enabled};
  }
  return *this;
}

OptionSnapshot::Builder& OptionSnapshot::Builder::Language(std::string_view language) {
  snapshot_.interface_language_ = std::string(language);
  return *this;
}

OptionSnapshot::Builder& OptionSnapshot::Builder::External(std::string_view key,
                                                           std::string_view value, bool enabled) {
  snapshot_.external_[std::string(key)] = ExternalOption{std::string(value), enabled};
  return *this;
}

OptionSnapshot TakeSnapshot(const OptionControls& controls, std::string_view interface_language,
                            std::span<const std::string_view> extra_controls) {
  OptionSnapshot::Builder builder;
  builder.Language(interface_language);
  auto any_control = [&](std::string_view name) {
    if (!controls.Exists(name)) return;
    if (controls.IsCheckBox(name)) {
      builder.CheckBox(name, controls.IsChecked(name), controls.IsEnabled(name));
    } else {
      builder.NotCheckBox(name);
    }
  };
  for (const OptionSpec& spec : Options()) {
    if (!controls.Exists(spec.control)) continue;
    switch (spec.kind) {
      case OptionKind::kCheckBox:
        if (controls.IsCheckBox(spec.control)) {
          builder.Option(spec.key, controls.IsChecked(spec.control) ? 1 : 0,
                         controls.IsEnabled(spec.control));
        } else {
          builder.NotCheckBox(spec.control);
        }
        break;
      case OptionKind::kCounter:
        builder.Option(spec.key, controls.Position(spec.control), controls.IsEnabled(spec.control));
        break;
      case OptionKind::kList: {
        std::vector<std::string> items;
        const int count = controls.ItemCount(spec.control);
        for (int item = 0; item < count; ++item)
          items.push_back(controls.ItemText(spec.control, item));
        builder.List(spec.control, controls.ItemIndex(spec.control), std::move(items),
                     controls.IsEnabled(spec.control));
        break;
      }
    }
  }
  for (const FixedLevelSpec& level : FixedLevels()) any_control(level.control);
  for (const ButtonSpec& button : Buttons()) any_control(button.name);
  any_control(kDllPages);
  if (controls.Exists(kLinesList)) {
    builder.NotCheckBox(kLinesList);
    for (const LineItemSpec& item : LineItems()) {
      builder.LineItem(item.item, controls.IsItemChecked(kLinesList, item.item));
    }
  }
  for (const GridSpec& grid : Grids()) {
    if (!controls.Exists(grid.grid)) continue;
    builder.NotCheckBox(grid.grid);
    const int rows = controls.RowCount(grid.grid);
    for (int row = 1; row <= rows; ++row) {
      builder.GridRow(grid.grid, controls.RowKey(grid.grid, row),
                      controls.RowValue(grid.grid, row));
    }
  }
  for (std::string_view name : extra_controls) any_control(name);
  return builder.Build();
}

}  // namespace config
