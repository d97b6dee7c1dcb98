#include "config/configuration_file.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "config/option_catalogue.h"
#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace config {
namespace {

std::string LineKeyOf(const LineItemInfo& item) { return std::string(item.key); }

std::string FileValue(const OptionControls& controls, const OptionInfo& option) {
  switch (option.kind) {
    case OptionKind::kCheckBox:
      return controls.IsChecked(option.control) ? "1" : "0";
    case OptionKind::kCounter:
      return std::to_string(controls.Position(option.control));
    case OptionKind::kList:
      return std::to_string(controls.ItemIndex(option.control));
  }
  return {};
}

}  // namespace

std::string ConfigurationText(const OptionControls& controls) {
  platform::IniFile file;
  file.Set(kMainSection, "File", kFileMarker);
  file.Set(kMainSection, "Version", kFileVersion);
  file.Set(kMainSection, "ProgramVersion", kProgramVersion);
  for (const GridInfo& grid : Grids()) {
    const int rows = controls.RowCount(grid.grid);
    for (int row = 1; row <= rows; ++row) {
      file.Set(grid.section, controls.RowKey(grid.grid, row), controls.RowValue(grid.grid, row));
    }
  }
  for (const LineItemInfo& item : LineItems()) {
    if (!item.heading()) {
      file.SetBool(kLinesSection, LineKeyOf(item), controls.IsItemChecked(kLinesList, item.item));
    }
  }
  for (int key : WriteOrder()) {
    file.Set(kOptionsSection, std::to_string(key), FileValue(controls, *FindOption(key)));
  }
  // The external components' section has no keys yet; it is written all the same so that the
  // file has every section of its layout.
  return file.Serialize() + "[" + std::string(kExactSection) + "]\r\n";
}

namespace {

bool IsSingleName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("\\/") == std::string_view::npos;
}

// Sets the loading flag for its life, or until released.
class LoadingScope {
 public:
  LoadingScope() { CurrentConfiguration().loading = true; }
  ~LoadingScope() { Release(); }
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;
  void Release() { CurrentConfiguration().loading = false; }
};

class Reader {
 public:
  Reader(OptionRules& rules, const platform::IniFile& file, const ReadContext& context)
      : rules_(rules), controls_(rules.controls()), file_(file), context_(context) {}

  void ReadGrids() {
    const auto grids = Grids();
    ReadGrid(grids[0]);  // change model
    ReadGrid(grids[4]);  // flags
    // The new-unit grids: collapsed groups first, then the open ones with their descriptions.
    for (bool open_pass : {false, true}) {
      for (const GridInfo& grid : grids.subspan(1, 3)) {
        const bool open = context_.group_open && context_.group_open(grid.grid);
        if (open != open_pass) continue;
        ReadGrid(grid);
        if (open) rules_.events().RefreshGridDescription(grid.grid);
      }
    }
  }

  void ReadLines() {
    for (const LineItemInfo& item : LineItems()) {
      if (item.heading()) continue;
      const bool current = controls_.IsItemChecked(kLinesList, item.item);
      const bool value = file_.GetBool(kLinesSection, LineKeyOf(item), current);
      if (value != current) controls_.SetItemChecked(kLinesList, item.item, value);
    }
    rules_.LinesClicked();
  }

  void ReadOptions() {
    for (int key : ReadOrder()) {
      const OptionInfo& option = *FindOption(key);
      const std::string name = std::to_string(key);
      switch (option.kind) {
        case OptionKind::kCheckBox:
          rules_.SetCheckBox(option.control, file_.GetBool(kOptionsSection, name,
                                                           controls_.IsChecked(option.control)));
          break;
        case OptionKind::kCounter:
          ReadCounter(option, name);
          break;
        case OptionKind::kList:
          ReadList(option, name);
          break;
      }
      if (key == 59) rules_.DllVariantClicked();
    }
  }

 private:
  void ReadGrid(const GridInfo& grid) {
    const int rows = controls_.RowCount(grid.grid);
    for (int row = 1; row <= rows; ++row) {
      const std::string identifier = controls_.RowKey(grid.grid, row);
      const auto value = file_.Get(grid.section, identifier);
      if (!value || !context_.accept) continue;
      if (context_.accept(grid.grid, identifier, *value)) {
        controls_.SetRowValue(grid.grid, row, *value);
      }
    }
  }

  void ReadCounter(const OptionInfo& option, const std::string& name) {
    const bool present = file_.HasKey(kOptionsSection, name);
    if (!present && option.key != 9) return;
    const int64_t fallback = option.key == 9 ? kKey9Default : controls_.Position(option.control);
    const int64_t value = file_.GetInt(kOptionsSection, name, fallback);
    if (value < kCounterMin || value > kCounterMax) {
      throw std::out_of_range("counter " + name + " out of range: " + std::to_string(value));
    }
    // Into the clamp range before the counter takes it: its edit keeps only as many characters
    // as it has digits, so "-5" would stand there as "-", which the consistency check cannot read
    // (it would stop, leaving every later counter unclamped), while the position behind it went
    // on into the game files.
    rules_.SetCounter(option, static_cast<int>(std::clamp<int64_t>(value, option.counter.clamp_min,
                                                                   option.counter.clamp_max)));
  }

  void ReadList(const OptionInfo& option, const std::string& name) {
    const int current = controls_.ItemIndex(option.control);
    int64_t value = file_.GetInt(kOptionsSection, name, current);
    // An index the list does not hold selects nothing, as the list itself would.
    if (value < -1 || value >= controls_.ItemCount(option.control)) value = -1;
    if (value != current) controls_.SetItemIndex(option.control, static_cast<int>(value));
  }

  OptionRules& rules_;
  OptionControls& controls_;
  const platform::IniFile& file_;
  const ReadContext& context_;
};

}  // namespace

ConfigurationState& CurrentConfiguration() {
  static ConfigurationState state;
  return state;
}

GridValueAcceptor FolderAcceptor(fs::path data_folder) {
  return [data_folder = std::move(data_folder)](std::string_view grid, std::string_view identifier,
                                                std::string_view value) {
    const GridInfo* option = FindGrid(grid);
    if (!option) return false;
    if (value == option->no_choice) return true;
    // One folder name each: a value must not reach another row's or another kind's folders.
    if (!IsSingleName(identifier) || !IsSingleName(value)) return false;
    const auto folder = platform::ResolveInside(
        data_folder,
        std::string(option->folder) + "\\" + std::string(identifier) + "\\" + std::string(value));
    return folder && platform::IsDirectory(*folder);
  };
}

bool WriteConfiguration(const OptionControls& controls, const fs::path& path) {
  return errors::Guarded("07.004-01", [&] {
    platform::WriteFileAtomic(path, ConfigurationText(controls));
    return true;
  });
}

bool ReadConfiguration(OptionRules& rules, const fs::path& path, const ReadContext& context) {
  LoadingScope loading;
  return errors::Guarded("07.005-01", [&] {
    const platform::IniFile file = platform::IniFile::Load(path);
    Reader reader(rules, file, context);
    reader.ReadGrids();
    reader.ReadLines();
    reader.ReadOptions();
    // The external components' section is read when they have controls.
    rules.ClearUnavailablePackOptions();
    if (rules.IsChecked(13)) rules.SetOption(14, false);
    rules.CheckOtherSet();
    loading.Release();
    rules.events().ConfigurationRead();
    const int screen = rules.controls().ItemIndex(FindOption(12)->control);
    if (screen >= 0) rules.events().LoadingScreenSelected(screen);
    return true;
  });
}

}  // namespace config
