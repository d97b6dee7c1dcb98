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
  for (const OptionInfo& option : Options()) {
    if (option.kind == OptionKind::kList) {
      std::vector<std::string> items;
      for (std::string_view item : ListItems(option.key)) items.push_back(platform::Ansi(item));
      builder.List(option.control, option.initial, std::move(items), option.initially_enabled);
    } else {
      builder.Option(option.key, option.initial, option.initially_enabled);
    }
  }
  for (const FixedLevelInfo& level : FixedLevels()) builder.CheckBox(level.control, true, false);
  for (const LineItemInfo& item : LineItems()) builder.LineItem(item.item, item.standard);
  return builder;
}

OptionSnapshot::Builder& OptionSnapshot::Builder::Option(int key, int value, bool enabled) {
  snapshot_.options_[key] = OptionValue{value, enabled};
  if (const OptionInfo* option = FindOption(key)) {
    if (option->kind == OptionKind::kCheckBox) {
      CheckBox(option->control, value != 0, enabled);
    } else {
      NotCheckBox(option->control);
      if (option->kind == OptionKind::kCounter) NotCheckBox(option->counter.edit);
      if (option->kind == OptionKind::kList) {
        ListState& list = snapshot_.lists_[platform::AsciiLower(option->control)];
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
  if (const OptionInfo* option = FindOptionByControl(name)) {
    snapshot_.options_[option->key] = OptionValue{index, enabled};
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
  for (const OptionInfo& option : Options()) {
    if (!controls.Exists(option.control)) continue;
    switch (option.kind) {
      case OptionKind::kCheckBox:
        if (controls.IsCheckBox(option.control)) {
          builder.Option(option.key, controls.IsChecked(option.control) ? 1 : 0,
                         controls.IsEnabled(option.control));
        } else {
          builder.NotCheckBox(option.control);
        }
        break;
      case OptionKind::kCounter:
        builder.Option(option.key, controls.Position(option.control),
                       controls.IsEnabled(option.control));
        break;
      case OptionKind::kList: {
        std::vector<std::string> items;
        const int count = controls.ItemCount(option.control);
        for (int item = 0; item < count; ++item)
          items.push_back(controls.ItemText(option.control, item));
        builder.List(option.control, controls.ItemIndex(option.control), std::move(items),
                     controls.IsEnabled(option.control));
        break;
      }
    }
  }
  for (const FixedLevelInfo& level : FixedLevels()) any_control(level.control);
  for (const ButtonInfo& button : Buttons()) any_control(button.name);
  any_control(kDllPages);
  if (controls.Exists(kLinesList)) {
    builder.NotCheckBox(kLinesList);
    for (const LineItemInfo& item : LineItems()) {
      builder.LineItem(item.item, controls.IsItemChecked(kLinesList, item.item));
    }
  }
  for (const GridInfo& grid : Grids()) {
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
