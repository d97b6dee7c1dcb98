#include "ui/configurator/control_registry.h"

#include "platform/text.h"

namespace ui {

QWidget* ControlRegistry::Find(std::string_view name) const {
  for (const auto& control : controls_) {
    if (control && platform::EqualsNoCase(control->objectName().toStdString(), name)) {
      return control;
    }
  }
  return nullptr;
}

std::vector<QWidget*> ControlRegistry::Controls() const {
  std::vector<QWidget*> list;
  for (const auto& control : controls_) {
    if (control) list.push_back(control);
  }
  return list;
}

}  // namespace ui
