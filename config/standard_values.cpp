// The standard-values buttons, the consistency check of the game rules, the initial state of the
// controls and the DLL page's enabling rules.
#include <stdexcept>
#include <string>

#include "config/option_rules.h"
#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/program_settings.h"

namespace config {
namespace {

// The order in which the consistency check clamps the counters' texts.
constexpr int kClampOrder[] = {68, 138, 2,  3,  9,  32, 33, 34, 35,  36,  48,
                               49, 50,  51, 52, 53, 54, 55, 56, 132, 155, 171};

// Sets a counter's position and its text.
void WriteCounter(OptionControls& controls, const OptionInfo& counter, int value) {
  controls.SetPosition(counter.control, value);
  controls.SetText(counter.counter.edit, std::to_string(value));
}

bool HasStandard(const OptionInfo& option, std::string_view page) {
  return option.page == page && option.standard.has_value();
}

}  // namespace

void OptionRules::CheckOtherSet() {
  errors::Guarded("01.021-01", [&] {
    // A clamped text is set without running the check again: this check goes on with the rest.
    for (int key : kClampOrder) {
      const OptionInfo& option = *FindOption(key);
      const std::string text = controls_.Text(option.counter.edit);
      if (text.empty()) continue;
      const auto value = platform::ParseInt64(text);
      if (!value) throw std::invalid_argument("counter text is not a number: " + text);
      if (*value > option.counter.clamp_max) {
        WriteCounter(controls_, option, option.counter.clamp_max);
      } else if (*value < option.counter.clamp_min) {
        WriteCounter(controls_, option, option.counter.clamp_min);
      }
    }
    controls_.SetEnabled(kOtherStandardButton, !PageAtStandard("Other"));
  });
}

void OptionRules::SetCounter(const OptionInfo& counter, int value) {
  const std::string text = std::to_string(value);
  const bool changed = controls_.Text(counter.counter.edit) != text;
  WriteCounter(controls_, counter, value);
  if (changed) CheckOtherSet();
}

bool OptionRules::PageAtStandard(std::string_view page) const {
  for (const OptionInfo& option : Options()) {
    if (!HasStandard(option, page)) continue;
    if (option.kind == OptionKind::kCheckBox) {
      if (controls_.IsChecked(option.control) != (*option.standard != 0)) return false;
    } else if (option.kind == OptionKind::kCounter) {
      // The typed text counts, not the arrows' position: "075" is not the standard "75".
      if (controls_.Text(option.counter.edit) != std::to_string(*option.standard)) return false;
    }
  }
  return true;
}

void OptionRules::DecidePageButton(std::string_view button, std::string_view page) {
  controls_.SetEnabled(button, !PageAtStandard(page));
}

void OptionRules::SetPageStandard(std::string_view button, std::string_view page) {
  for (const OptionInfo& option : Options()) {
    if (!HasStandard(option, page)) continue;
    if (option.kind == OptionKind::kCheckBox) {
      SetCheckBox(option.control, *option.standard != 0);
    } else if (option.kind == OptionKind::kCounter) {
      SetCounter(option, *option.standard);
    }
  }
  controls_.SetEnabled(button, false);
}

void OptionRules::ButtonPressed(std::string_view name) {
  if (platform::EqualsNoCase(name, kOtherStandardButton)) {
    errors::Guarded("01.031-01", [&] { SetPageStandard(kOtherStandardButton, "Other"); });
  } else if (platform::EqualsNoCase(name, kMmenuStandardButton)) {
    errors::Guarded("01.032-01", [&] { SetPageStandard(kMmenuStandardButton, "MMenu"); });
  } else if (platform::EqualsNoCase(name, kSpeedStandardButton)) {
    errors::Guarded("01.033-01", [&] { SetPageStandard(kSpeedStandardButton, "Speed"); });
  } else if (platform::EqualsNoCase(name, kLinesStandardButton)) {
    errors::Guarded("01.034-01", [&] { SetStandardLines(); });
  }
}

void OptionRules::SetStandardLines() {
  for (const LineItemInfo& item : LineItems()) {
    if (!item.heading()) controls_.SetItemChecked(kLinesList, item.item, item.standard);
  }
  controls_.SetEnabled(kLinesStandardButton, false);
}

void OptionRules::DecideLinesButton() {
  bool standard = true;
  for (const LineItemInfo& item : LineItems()) {
    if (!item.heading() && controls_.IsItemChecked(kLinesList, item.item) != item.standard) {
      standard = false;
    }
  }
  controls_.SetEnabled(kLinesStandardButton, !standard);
}

void OptionRules::LinesClicked() {
  errors::Guarded("01.030-01", [&] { DecideLinesButton(); });
}

void OptionRules::InitialiseControls() {
  errors::Guarded("01.041-01", [&] {
    for (const OptionInfo& option : Options()) {
      switch (option.kind) {
        case OptionKind::kCheckBox:
          controls_.SetChecked(option.control, option.initial != 0);
          break;
        case OptionKind::kCounter:
          controls_.SetPosition(option.control, option.initial);
          controls_.SetText(option.counter.edit, std::to_string(option.initial));
          break;
        case OptionKind::kList:
          controls_.SetItemIndex(option.control, option.initial);
          break;
      }
      controls_.SetEnabled(option.control, option.initially_enabled);
    }
    for (const FixedLevelInfo& level : FixedLevels()) {
      controls_.SetChecked(level.control, true);
      controls_.SetEnabled(level.control, false);
    }
    for (const ButtonInfo& button : Buttons()) controls_.SetEnabled(button.name, false);
    ButtonPressed(kLinesStandardButton);
    controls_.ShowPage(kDllPages, kDllDisabledPage);
  });
}

bool CivilizationLibrariesPresent(const std::filesystem::path& data_folder) {
  for (const char* count : {"32", "22", "18"}) {
    const auto library = platform::ResolveInside(
        data_folder,
        std::string("DLL Components\\RevolutionDCM\\Alt_dll\\CvGameCoreDLL_") + count + ".dll");
    if (!library || !platform::IsFile(*library)) return false;
  }
  return true;
}

void OptionRules::DllPageEntered(bool civilization_libraries_present) {
  errors::Guarded("01.035-01", [&] {
    const std::string_view list = FindOption(173)->control;
    controls_.SetEnabled(list, civilization_libraries_present);
    if (!civilization_libraries_present) controls_.SetItemIndex(list, 0);
  });
}

void OptionRules::GameVersionCheck(const std::optional<std::string>& version) {
  errors::Guarded("01.001-02", [&] {
    const std::string_view dll = FindOption(58)->control;
    if (version && *version == shell::kDllGameVersion) {
      if (!controls_.IsEnabled(dll)) {
        controls_.ShowPage(kDllPages, kDllDisabledPage);
        controls_.SetEnabled(dll, true);
      }
      return;
    }
    // Cleared first: its rule shows the "Disabled" page, which must not hide the page that says
    // why the component is unavailable.
    SetCheckBox(dll, false);
    controls_.ShowPage(kDllPages, kWrongGameVersionPage);
    controls_.SetEnabled(dll, false);
  });
}

}  // namespace config
