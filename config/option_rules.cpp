// The click rules of the check boxes and their cascades.
#include "config/option_rules.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "errors/guard.h"
#include "platform/text.h"

namespace config {
namespace {

// The game-rule boxes whose click also decides whether the penalty counter of key 164 is enabled.
constexpr int kPenaltyDecidingKeys[] = {6,   15,  28,  29,  30,  31,  37,  42,  43,  44,
                                        45,  46,  47,  91,  110, 133, 136, 137, 139, 152,
                                        153, 154, 156, 157, 158, 159, 160, 163, 164};
constexpr int kFlagShapes[] = {10, 13, 14};
// Checking an option of a chain checks every later one; clearing it clears every earlier one.
constexpr int kLandChain[] = {16, 17, 18, 19, 20, 148, 149};
constexpr int kSeaChain[] = {60, 61, 62, 63, 64, 65, 22, 23, 24, 25, 26, 150, 151};
constexpr int kNextWarParts[] = {174, 140, 141, 142};
constexpr int kFutureLifeParts[] = {144, 145, 146};

bool Contains(std::span<const int> keys, int key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

std::string_view Control(int key) {
  const OptionInfo* option = FindOption(key);
  if (!option) throw std::logic_error("unknown option " + std::to_string(key));
  return option->control;
}

}  // namespace

OptionRules::OptionRules(OptionControls& controls, WindowEvents* events)
    : controls_(controls), events_(events ? events : &default_events_) {}

bool OptionRules::IsChecked(int key) const { return controls_.IsChecked(Control(key)); }

void OptionRules::SetCheckBox(std::string_view name, bool checked) {
  if (controls_.IsChecked(name) == checked) return;
  controls_.SetChecked(name, checked);
  CheckBoxClicked(name);
}

void OptionRules::SetOption(int key, bool checked) { SetCheckBox(Control(key), checked); }

void OptionRules::CheckBoxClicked(std::string_view name) {
  const OptionInfo* option = FindOptionByControl(name);
  if (option && option->kind == OptionKind::kCheckBox) RunClickRule(*option);
}

void OptionRules::RunClickRule(const OptionInfo& option) {
  const int key = option.key;
  if (option.page == "Other") return GameRuleClicked(key);
  if (option.page == "MMenu") {
    if (option.standard) InterfaceOptionClicked(key);  // the options its button restores
    return;
  }
  if (option.page == "Speed") return SpeedOptionClicked();
  if (Contains(kFlagShapes, key)) return FlagShapeClicked(key);
  if (Contains(kLandChain, key)) return ChainClicked(kLandChain, key);
  if (Contains(kSeaChain, key)) return ChainClicked(kSeaChain, key);
  if (key == 81) return NextWarClicked();
  if (key == 143 || key == 147) return FutureLifeClicked();
  if (Contains(kFutureLifeParts, key)) return FutureLifePartClicked();
  if (key == 58) return DllComponentClicked();
  if (key == 80) return StormsClicked();
  // The air-rebase option sits on the DLL page but belongs to the game rules' check.
  if (key == 69) return CheckOtherSet();
}

void OptionRules::GameRuleClicked(int key) {
  errors::Guarded("01.022-01", [&] {
    if (key == 1) {
      if (IsChecked(1)) {
        controls_.SetEnabled(Control(7), true);
      } else {
        SetOption(7, false);
        controls_.SetEnabled(Control(7), false);
      }
    }
    // Animated leaders come with the additional civilizations.
    if (key == 86 && !IsChecked(86)) SetOption(95, false);
    if (key == 95 && IsChecked(95)) SetOption(86, true);
    CheckOtherSet();
    if (Contains(kPenaltyDecidingKeys, key)) {
      controls_.SetEnabled(Control(171), IsChecked(164));
    }
  });
}

void OptionRules::FlagShapeClicked(int key) {
  errors::Guarded("01.023-01", [&] {
    if (!IsChecked(key)) return;
    for (int other : kFlagShapes) {
      if (other != key) SetOption(other, false);
    }
  });
}

void OptionRules::ChainClicked(std::span<const int> chain, int key) {
  errors::Guarded("01.024-01", [&] {
    const auto position = std::find(chain.begin(), chain.end(), key);
    if (IsChecked(key)) {
      for (auto later = position + 1; later != chain.end(); ++later) SetOption(*later, true);
    } else {
      for (auto earlier = chain.begin(); earlier != position; ++earlier) SetOption(*earlier, false);
    }
  });
}

void OptionRules::NextWarClicked() {
  errors::Guarded("01.025-01", [&] {
    const bool on = IsChecked(81);
    for (int part : kNextWarParts) controls_.SetEnabled(Control(part), on);
  });
}

void OptionRules::FutureLifeClicked() {
  errors::Guarded("01.026-01", [&] {
    const bool on = IsChecked(143);
    if (on && std::none_of(std::begin(kFutureLifeParts), std::end(kFutureLifeParts),
                           [&](int part) { return IsChecked(part); })) {
      SetOption(144, true);
    }
    for (int part : kFutureLifeParts) controls_.SetEnabled(Control(part), on);
  });
}

void OptionRules::FutureLifePartClicked() {
  errors::Guarded("01.026-01", [&] {
    // The component needs at least one of its parts.
    if (std::none_of(std::begin(kFutureLifeParts), std::end(kFutureLifeParts),
                     [&](int part) { return IsChecked(part); })) {
      SetOption(143, false);
    }
  });
}

void OptionRules::InterfaceOptionClicked(int key) {
  errors::Guarded("01.027-01", [&] {
    if (key == 4) {
      const std::string_view list = Control(12);
      const bool on = IsChecked(4);
      if (on && controls_.ItemIndex(list) < 0 && controls_.ItemCount(list) > 0) {
        controls_.SetItemIndex(list, 0);
        events_->LoadingScreenSelected(0);
      }
      controls_.SetEnabled(list, on);
      RefreshLoadingScreenButton();
    }
    DecidePageButton(kMmenuStandardButton, "MMenu");
  });
}

void OptionRules::RefreshLoadingScreenButton() {
  errors::Guarded("01.027-01", [&] {
    controls_.SetEnabled(kDeleteLoadingScreenButton,
                         IsChecked(4) && controls_.ItemCount(Control(12)) > 1);
  });
}

void OptionRules::SpeedOptionClicked() {
  errors::Guarded("01.028-01", [&] { DecidePageButton(kSpeedStandardButton, "Speed"); });
}

void OptionRules::ShowDllVariantPage() {
  const int variant = controls_.ItemIndex(Control(59));
  const bool known = variant == kDllModPage || variant == kRevDcmPage;
  controls_.ShowPage(kDllPages, known ? variant : kDllDisabledPage);
}

void OptionRules::DllComponentClicked() {
  errors::Guarded("01.029-01", [&] {
    const bool on = IsChecked(58);
    controls_.SetEnabled(Control(59), on);
    if (on) {
      ShowDllVariantPage();
    } else {
      controls_.ShowPage(kDllPages, kDllDisabledPage);
    }
  });
}

void OptionRules::DllVariantClicked() {
  errors::Guarded("01.029-01", [&] {
    if (IsChecked(58)) ShowDllVariantPage();
  });
}

void OptionRules::StormsClicked() {
  errors::Guarded("01.029-01", [&] { controls_.SetEnabled(Control(138), IsChecked(80)); });
}

void OptionRules::ClearUnavailablePackOptions() {
  for (int key : {38, 39, 40, 41, 95}) {
    if (!controls_.IsEnabled(Control(key))) SetOption(key, false);
  }
}

}  // namespace config
