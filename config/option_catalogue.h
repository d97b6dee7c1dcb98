// The numbered options of the main window as data. Every option has a number: its key in the
// configuration file and in the report, and the name by which generation asks for it. One row per
// option holds its controls, caption, hint, page, initial and standard state and, for counters,
// the ranges. The UI builds the controls from these rows (pages in Pages() order, options in
// table order within a page); the rules, the configuration file and the report take their orders
// from here as well.
//
// Captions and hints are UTF-8 as written in the table; platform::Ansi() turns them into the
// program's cp1251 text.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace config {

enum class OptionKind { kCheckBox, kCounter, kList };

// A counter is a digits-only edit with an up-down beside it. The arrows move within their own
// range; the consistency check clamps the typed text to a second, sometimes wider range.
struct CounterInfo {
  std::string_view edit;  // the edit box ("NTCEdit2"); the option's control is the up-down
  int digits = 0;         // most characters the edit accepts from the keyboard
  int arrow_min = 0;
  int arrow_max = 0;
  int clamp_min = 0;
  int clamp_max = 0;
};

struct OptionInfo {
  int key = 0;
  OptionKind kind = OptionKind::kCheckBox;
  std::string_view control;     // check box, the counter's up-down, or the list
  std::string_view page;        // tab name of the page that shows it
  int inner_page = -1;          // on the DLL page: 0 "DLL Mod" or 1 "RevDCM"; -1 elsewhere
  std::string_view caption;     // UTF-8; for counters the caption of their label
  std::string_view hint;        // UTF-8, the long description
  int initial = 0;              // check box 0/1, counter position, list index
  std::optional<int> standard;  // what the page's standard-values button sets, when it has one
  bool initially_enabled = true;
  CounterInfo counter;  // counters only
};

// Every numbered option, in table order (page by page).
std::span<const OptionInfo> Options();
const OptionInfo* FindOption(int key);
// By the name of any of its controls (check box, up-down, edit or list), without ASCII case.
const OptionInfo* FindOptionByControl(std::string_view name);

// The pages that hold options, in the order of the navigation list, with their page index.
struct PageInfo {
  std::string_view tab;
  int index = 0;
};
std::span<const PageInfo> Pages();

// The DLL page's inner page control, whose tabs are hidden.
inline constexpr std::string_view kDllPages = "PageControl2";
struct InnerPageInfo {
  int index = 0;
  std::string_view name;
  std::string_view caption;  // UTF-8
};
inline constexpr int kDllModPage = 0;
inline constexpr int kRevDcmPage = 1;
inline constexpr int kDllDisabledPage = 2;
inline constexpr int kWrongGameVersionPage = 3;
std::span<const InnerPageInfo> DllInnerPages();

// The lines of development: one check list whose items 0, 3, 6, 9, 12 and 14 are headings.
inline constexpr std::string_view kLinesList = "CheckListBox1";
struct LineItemInfo {
  int item = 0;
  std::string_view key;      // configuration key; empty for a heading
  std::string_view caption;  // UTF-8
  std::string_view hint;     // UTF-8; empty for a heading
  bool standard = false;
  bool heading() const { return key.empty(); }
};
// All 16 items by index; the keys of the option items in this order are the file order.
std::span<const LineItemInfo> LineItems();

// The two difficulty levels the game always keeps: shown checked and disabled, with no key.
struct FixedLevelInfo {
  std::string_view control;
  std::string_view caption;  // UTF-8
  std::string_view hint;     // UTF-8
  int after_key = 0;         // shown after this option on its page
};
std::span<const FixedLevelInfo> FixedLevels();

// The fixed items of lists 59 and 173 (UTF-8); list 12 is filled from the loading screens found.
std::span<const std::string_view> ListItems(int key);

// Buttons the rules enable and disable (their enabled state lives in the controls).
inline constexpr std::string_view kOtherStandardButton = "Button4";
inline constexpr std::string_view kMmenuStandardButton = "Button2";
inline constexpr std::string_view kSpeedStandardButton = "Button5";
inline constexpr std::string_view kLinesStandardButton = "Button7";
inline constexpr std::string_view kDeleteLoadingScreenButton = "Button3";
struct ButtonInfo {
  std::string_view name;
  std::string_view page;
  std::string_view caption;  // UTF-8
};
// The four standard-values buttons and the loading screens' delete button.
std::span<const ButtonInfo> Buttons();

// The unit grids, in the order of their sections in the configuration file.
struct GridInfo {
  std::string_view grid;       // "ValueListEditor2"
  std::string_view section;    // "Settings change model"
  int kind = 0;                // catalogue kind of its rows
  std::string_view folder;     // data subfolder of its choices: "Change", "New", "Art Flags"
  std::string_view no_choice;  // the value that names no folder: "{Standart}" or "{None}"
};
std::span<const GridInfo> Grids();
const GridInfo* FindGrid(std::string_view grid);

// Keys of "Settings other options": the file's write order, its read order (key 12 right after
// key 4, key 143 after 146) and the order of the configuration report.
std::span<const int> WriteOrder();
std::span<const int> ReadOrder();
std::span<const int> ReportOrder();

}  // namespace config
