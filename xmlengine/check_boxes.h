// How the patch language sees the check boxes of the main window ("[if checked]"). The
// engine never touches the window: the option snapshot of the user interface implements this
// interface; tests and `vornak-gen patch` use FixedCheckBoxes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace xmlengine {

enum class CheckBoxState {
  kAbsent,             // the main window owns no component of that name
  kNotACheckBox,       // it owns one, but it is not a check box
  kEnabledAndChecked,  // a check box that is enabled and checked
  kOther,              // a check box that is unchecked or disabled
};

class CheckBoxSource {
 public:
  virtual ~CheckBoxSource() = default;
  // `name` as the patch file writes it; component names are compared without ASCII case.
  virtual CheckBoxState State(std::string_view name) const = 0;
};

// A fixed set: the named boxes are enabled and checked, the names in `not_check_boxes` are
// components of another kind, every other name is absent.
class FixedCheckBoxes : public CheckBoxSource {
 public:
  FixedCheckBoxes() = default;
  explicit FixedCheckBoxes(std::vector<std::string> checked,
                           std::vector<std::string> not_check_boxes = {})
      : checked_(std::move(checked)), not_check_boxes_(std::move(not_check_boxes)) {}

  CheckBoxState State(std::string_view name) const override;
  bool IsChecked(std::string_view name) const {
    return State(name) == CheckBoxState::kEnabledAndChecked;
  }

 private:
  std::vector<std::string> checked_;
  std::vector<std::string> not_check_boxes_;
};

// The check box of option 44, whose state decides the forts block of "[BUILD_FORT]".
inline constexpr std::string_view kFortsCheckBox = "CheckBox32";

}  // namespace xmlengine
