// The rules between the main window's options, its standard-values buttons and the consistency
// check of the game rules.
//
// The controls' setters run nothing, so the rules cascade themselves: SetCheckBox() changes a box
// only when its state differs and then runs that box's click rule, exactly as a user's click
// does; the rule may set further boxes the same way. The UI calls the *Clicked / *Changed /
// *Pressed / *Entered functions for what the user does, after the widget has taken the user's
// change, and must not call back into the rules when the rules set a widget.
//
// The standard-values buttons ("Button4", "Button2", "Button5", "Button7") and the loading
// screens' delete button ("Button3") are controls too: the rules enable and disable them through
// SetEnabled, and the UI only shows that state.
//
// Each handler reports a failure under its location code of the main window and leaves the
// controls as far as it got:
//   01.021-01 consistency check          01.029-01 DLL component, variant list, storms
//   01.022-01 a game-rule check box       01.030-01 a click in the lines of development
//   01.023-01 flag shapes                 01.031-01 .. 01.034-01 Button4, Button2, Button5, Button7
//   01.024-01 ranged-attack chains        01.035-01 entering the DLL page
//   01.025-01 Next War                    01.041-01 initial state of the controls
//   01.026-01 Future Life                 01.001-02 game version check
//   01.027-01 interface and art, loading screens
//   01.028-01 difficulty levels and game speeds
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "config/option_catalogue.h"
#include "config/option_controls.h"

namespace config {

// What only the window can do: pictures and descriptions. Every call defaults to nothing.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // A loading screen became the selected one: show its picture and remember its index.
  virtual void LoadingScreenSelected(int /*index*/) {}
  // Show the description of the grid's selected row (a new-unit grid read while its group is
  // open).
  virtual void RefreshGridDescription(std::string_view /*grid*/) {}
  // A configuration has been read: refresh the description of the shown page when that is the
  // change-model page (index 1) or the flags page (index 5).
  virtual void ConfigurationRead() {}
};


// The three alternative game libraries of RevolutionDCM that the civilization-count list needs:
// <data>\DLL Components\RevolutionDCM\Alt_dll\CvGameCoreDLL_32.dll, _22 and _18.
bool CivilizationLibrariesPresent(const std::filesystem::path& data_folder);

class OptionRules {
 public:
  explicit OptionRules(OptionControls& controls, WindowEvents* events = nullptr);
  OptionRules(const OptionRules&) = delete;
  OptionRules& operator=(const OptionRules&) = delete;

  OptionControls& controls() { return controls_; }
  WindowEvents& events() { return *events_; }

  // The state of a freshly created window: every option at its initial state and enabling, the
  // fixed difficulty levels checked and disabled, the buttons disabled, the standard lines of
  // development (by pressing their button), DLL variant 0 and the DLL page's "Disabled" page.
  // The UI calls it once its widgets exist (list 59 and 173 filled with ListItems()).
  void InitialiseControls();

  // --- what the user does ---
  // A click on any check box (after it toggled). Boxes without a rule do nothing.
  void CheckBoxClicked(std::string_view name);
  // A counter's text was edited or its arrows were used.
  void CounterChanged() { CheckOtherSet(); }
  // Any click in the lines of development: decides "Button7".
  void LinesClicked();
  // A selection in the DLL variant list ("NTCListBox3").
  void DllVariantClicked();
  // One of the four standard-values buttons.
  void ButtonPressed(std::string_view name);
  // Entering the DLL page, with CivilizationLibrariesPresent of the data folder.
  void DllPageEntered(bool civilization_libraries_present);
  // The game version check: `version` is NormalizeGameVersion of the game executable's version,
  // nullopt when there is no executable.
  void GameVersionCheck(const std::optional<std::string>& version);
  // The loading-screen list changed (filled, or an entry deleted): decides "Button3".
  void RefreshLoadingScreenButton();

  // --- what programs do ---
  // Sets a check box; when its state changes, runs its click rule.
  void SetCheckBox(std::string_view name, bool checked);
  void SetOption(int key, bool checked);
  // Sets a counter's position and text; when the text changes, runs the consistency check.
  void SetCounter(const OptionInfo& counter, int value);
  // Clamps the counters' texts and decides "Button4".
  void CheckOtherSet();
  // Clears the pack-dependent options (38 to 41, 95) whose boxes are disabled.
  void ClearUnavailablePackOptions();

  bool IsChecked(int key) const;

 private:
  void RunClickRule(const OptionInfo& option);
  void GameRuleClicked(int key);
  void FlagShapeClicked(int key);
  void ChainClicked(std::span<const int> chain, int key);
  void NextWarClicked();
  void FutureLifeClicked();
  void FutureLifePartClicked();
  void InterfaceOptionClicked(int key);
  void SpeedOptionClicked();
  void DllComponentClicked();
  void StormsClicked();
  void ShowDllVariantPage();

  void DecidePageButton(std::string_view button, std::string_view page);
  void SetPageStandard(std::string_view button, std::string_view page);
  void SetStandardLines();
  void DecideLinesButton();
  bool PageAtStandard(std::string_view page) const;

  OptionControls& controls_;
  WindowEvents default_events_;
  WindowEvents* events_;
};

}  // namespace config
