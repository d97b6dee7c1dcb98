// The option controls of a window as the features see them: config::OptionControls over the
// window's registry of named widgets.
#pragma once

#include <functional>

#include "config/option_controls.h"
#include "ui/configurator/control_registry.h"

namespace ui {

class WindowControls : public config::OptionControls {
 public:
  explicit WindowControls(const ControlRegistry& registry) : registry_(registry) {}

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
  const ControlRegistry& registry_;
};

// The label that belongs to a control and is enabled and disabled with it.
void SetBuddyLabel(QWidget* control, QWidget* label);

}  // namespace ui
