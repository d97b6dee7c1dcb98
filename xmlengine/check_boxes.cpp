#include "xmlengine/check_boxes.h"

#include "platform/text.h"

namespace xmlengine {

CheckBoxState FixedCheckBoxes::State(std::string_view name) const {
  for (const auto& other : not_check_boxes_) {
    if (platform::EqualsNoCase(other, name)) return CheckBoxState::kNotACheckBox;
  }
  for (const auto& checked : checked_) {
    if (platform::EqualsNoCase(checked, name)) return CheckBoxState::kEnabledAndChecked;
  }
  return CheckBoxState::kAbsent;
}

}  // namespace xmlengine
