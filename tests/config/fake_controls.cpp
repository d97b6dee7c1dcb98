#include "tests/config/fake_controls.h"

#include <stdexcept>

#include "config/option_catalogue.h"
#include "platform/text.h"

namespace config_test {

using config::OptionKind;

const std::vector<std::pair<std::string, std::string>> kChangeRows = {
    {"Axeman", "{Standart}"}, {"Frigate", "{Standart}"}, {"Tank", "{Standart}"}};
const std::vector<std::pair<std::string, std::string>> kAirRows = {{"Air_Gunship", "{None}"},
                                                                   {"Air_Zeppelin", "{None}"}};
const std::vector<std::pair<std::string, std::string>> kNavyRows = {{"Navy_Corvette", "{None}"}};
const std::vector<std::pair<std::string, std::string>> kLandRows = {{"Land_Ranger", "{None}"},
                                                                    {"Land_Mortar", "{None}"}};
const std::vector<std::pair<std::string, std::string>> kFlagRows = {{"Babylon", "{Standart}"},
                                                                    {"Rome", "{Standart}"}};

void FakeControls::Add(std::string_view name, Kind kind) {
  Control& control = controls_[platform::AsciiLower(name)];
  control = Control{};
  control.kind = kind;
}

void FakeControls::AddList(std::string_view name, std::vector<std::string> items) {
  Add(name, Kind::kList);
  controls_[platform::AsciiLower(name)].items = std::move(items);
}

void FakeControls::AddCheckList(std::string_view name, int items) {
  Add(name, Kind::kCheckList);
  controls_[platform::AsciiLower(name)].item_checks.assign(items, false);
}

void FakeControls::AddGrid(std::string_view name,
                           std::vector<std::pair<std::string, std::string>> rows) {
  Add(name, Kind::kGrid);
  controls_[platform::AsciiLower(name)].rows = std::move(rows);
}

void FakeControls::AddEdit(std::string_view name, int max_length) {
  Add(name, Kind::kEdit);
  controls_[platform::AsciiLower(name)].max_length = max_length;
}

const FakeControls::Control& FakeControls::GetAny(std::string_view name) const {
  if (!broken_.empty() && platform::EqualsNoCase(name, broken_)) {
    throw std::runtime_error("broken control " + std::string(name));
  }
  const auto control = controls_.find(platform::AsciiLower(name));
  if (control == controls_.end()) throw std::out_of_range("no control " + std::string(name));
  return control->second;
}

const FakeControls::Control& FakeControls::Get(std::string_view name, Kind kind) const {
  const Control& control = GetAny(name);
  if (control.kind != kind) throw std::invalid_argument("wrong kind of " + std::string(name));
  return control;
}

FakeControls::Control& FakeControls::Get(std::string_view name, Kind kind) {
  return const_cast<Control&>(static_cast<const FakeControls*>(this)->Get(name, kind));
}

std::string FakeControls::Dump() const {
  std::string dump;
  for (const auto& [name, c] : controls_) {
    dump += name + " e" + std::to_string(c.enabled) + " c" + std::to_string(c.checked) + " p" +
            std::to_string(c.position) + " t'" + c.text + "' i" + std::to_string(c.index);
    for (bool item : c.item_checks) dump += item ? '1' : '0';
    for (const auto& [key, value] : c.rows) dump += " " + key + "=" + value;
    dump += "\n";
  }
  return dump;
}

bool FakeControls::Exists(std::string_view name) const {
  return controls_.count(platform::AsciiLower(name)) != 0;
}
bool FakeControls::IsEnabled(std::string_view name) const { return GetAny(name).enabled; }
void FakeControls::SetEnabled(std::string_view name, bool enabled) {
  const_cast<Control&>(GetAny(name)).enabled = enabled;
}
bool FakeControls::IsCheckBox(std::string_view name) const {
  return GetAny(name).kind == Kind::kCheckBox;
}
bool FakeControls::IsChecked(std::string_view name) const {
  return Get(name, Kind::kCheckBox).checked;
}
void FakeControls::SetChecked(std::string_view name, bool checked) {
  Get(name, Kind::kCheckBox).checked = checked;
}
int FakeControls::Position(std::string_view up_down) const {
  return Get(up_down, Kind::kUpDown).position;
}
void FakeControls::SetPosition(std::string_view up_down, int position) {
  Get(up_down, Kind::kUpDown).position = position;
}
std::string FakeControls::Text(std::string_view edit) const { return Get(edit, Kind::kEdit).text; }
void FakeControls::SetText(std::string_view edit, std::string_view text) {
  Control& control = Get(edit, Kind::kEdit);
  control.text = std::string(control.max_length > 0 ? text.substr(0, control.max_length) : text);
}
int FakeControls::ItemIndex(std::string_view list) const { return Get(list, Kind::kList).index; }
void FakeControls::SetItemIndex(std::string_view list, int index) {
  Control& control = Get(list, Kind::kList);
  if (index < -1 || index >= static_cast<int>(control.items.size())) {
    throw std::out_of_range("list index " + std::to_string(index));
  }
  control.index = index;
}
int FakeControls::ItemCount(std::string_view list) const {
  return static_cast<int>(Get(list, Kind::kList).items.size());
}
std::string FakeControls::ItemText(std::string_view list, int index) const {
  return Get(list, Kind::kList).items.at(index);
}
bool FakeControls::IsItemChecked(std::string_view check_list, int item) const {
  return Get(check_list, Kind::kCheckList).item_checks.at(item);
}
void FakeControls::SetItemChecked(std::string_view check_list, int item, bool checked) {
  Get(check_list, Kind::kCheckList).item_checks.at(item) = checked;
}
int FakeControls::RowCount(std::string_view grid) const {
  return static_cast<int>(Get(grid, Kind::kGrid).rows.size());
}
std::string FakeControls::RowKey(std::string_view grid, int row) const {
  return Get(grid, Kind::kGrid).rows.at(row - 1).first;
}
std::string FakeControls::RowValue(std::string_view grid, int row) const {
  return Get(grid, Kind::kGrid).rows.at(row - 1).second;
}
void FakeControls::SetRowValue(std::string_view grid, int row, std::string_view value) {
  Get(grid, Kind::kGrid).rows.at(row - 1).second = std::string(value);
  row_writes_.push_back(std::string(grid));
}
int FakeControls::PageIndex(std::string_view page_control) const {
  return Get(page_control, Kind::kPageControl).index;
}
void FakeControls::ShowPage(std::string_view page_control, int index) {
  Get(page_control, Kind::kPageControl).index = index;
}

FakeControls MainWindowControls() {
  FakeControls controls;
  for (const config::OptionInfo& option : config::Options()) {
    switch (option.kind) {
      case OptionKind::kCheckBox:
        controls.Add(option.control, Kind::kCheckBox);
        break;
      case OptionKind::kCounter:
        controls.Add(option.control, Kind::kUpDown);
        controls.AddEdit(option.counter.edit, option.counter.digits);
        break;
      case OptionKind::kList: {
        std::vector<std::string> items;
        for (std::string_view item : config::ListItems(option.key)) {
          items.push_back(platform::Ansi(item));
        }
        if (option.key == 12) items = {"Dawn", "Harbour", "Steppe"};
        controls.AddList(option.control, std::move(items));
        break;
      }
    }
  }
  for (const config::FixedLevelInfo& level : config::FixedLevels()) {
    controls.Add(level.control, Kind::kCheckBox);
  }
  for (const config::ButtonInfo& button : config::Buttons()) {
    controls.Add(button.name, Kind::kButton);
  }
  controls.Add(config::kDllPages, Kind::kPageControl);
  controls.AddCheckList(config::kLinesList, static_cast<int>(config::LineItems().size()));
  controls.AddGrid("ValueListEditor2", kChangeRows);
  controls.AddGrid("ValueListEditor3", kAirRows);
  controls.AddGrid("ValueListEditor4", kNavyRows);
  controls.AddGrid("ValueListEditor1", kLandRows);
  controls.AddGrid("ValueListEditor5", kFlagRows);
  return controls;
}

}  // namespace config_test
