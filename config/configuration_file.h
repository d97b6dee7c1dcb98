// Configuration files (*.vkm): the state of the main window's controls saved to and restored from
// an initialisation file.
//
// Writing reads the controls; reading sets them through the option rules, so the click rules keep
// the dependent controls consistent while the file is read, in the file's read order.
//
// File layout, in order: "Main" (File, Version, ProgramVersion), the five grid sections (one key
// per grid row: the row's identifier and its value cell), "Settings change lines of development"
// (keys 1 to 8, 92, 93), "Settings other options" (WriteOrder() of the catalogue) and
// "Settings of EXACT" (written empty until the external components have controls). Booleans are
// "1"/"0", counters their position, lists their selected index (-1 for none).
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "config/option_controls.h"
#include "config/option_rules.h"

namespace config {

namespace fs = std::filesystem;

inline constexpr std::string_view kMainSection = "Main";
inline constexpr std::string_view kLinesSection = "Settings change lines of development";
inline constexpr std::string_view kOptionsSection = "Settings other options";
inline constexpr std::string_view kExactSection = "Settings of EXACT";
inline constexpr std::string_view kFileMarker = "<Vornak Config File>";
inline constexpr std::string_view kFileVersion = "1.5.0";
inline constexpr std::string_view kProgramVersion = "1.5.0.2k.lang";
// Counters hold 16-bit positions; a stored value outside stops the reading.
inline constexpr int kCounterMin = -32768;
inline constexpr int kCounterMax = 32767;
// What a file without key 9 sets that counter to.
inline constexpr int kKey9Default = 100;

// Whether a stored grid value may be taken for a row: (grid, row identifier, value).
using GridValueAcceptor =
    std::function<bool(std::string_view grid, std::string_view identifier, std::string_view value)>;

// The acceptance of the data folder: the grid's no-choice value ("{Standart}" or "{None}"), or a
// single folder name that exists as <data>\<grid folder>\<identifier>\<value>.
GridValueAcceptor FolderAcceptor(fs::path data_folder);

struct ReadContext {
  GridValueAcceptor accept;
  // Whether the group panel of a new-unit grid is open (the reader reads the collapsed groups'
  // sections first and refreshes the open ones' descriptions after reading them).
  std::function<bool(std::string_view grid)> group_open;
};

// The current configuration file and the loading flag, shared by the main window, the reader and
// the generator.
struct ConfigurationState {
  fs::path current_file;
  bool loading = false;  // the new-unit grids' change handlers do nothing while it is set
};
ConfigurationState& CurrentConfiguration();

// The file's text for the controls' state (what WriteConfiguration writes).
std::string ConfigurationText(const OptionControls& controls);

// Writes the controls' state to `path` atomically. False (reported as "07.004-01") when the file
// cannot be written; the controls are never changed.
bool WriteConfiguration(const OptionControls& controls, const fs::path& path);

// Reads `path` into the controls (a missing file reads like an empty one). The loading flag is
// set meanwhile and released however the reading ends. A counter value outside -32768..32767
// stops the reading at that key, reported as "07.005-01"; what was read before stays. A value
// inside it is clamped into the counter's clamp range (not the arrows' range) before the counter
// takes it. False when the reading stopped.
bool ReadConfiguration(OptionRules& rules, const fs::path& path, const ReadContext& context);

}  // namespace config
