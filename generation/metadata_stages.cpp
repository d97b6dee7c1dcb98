#include "generation/metadata_stages.h"

#include <stdexcept>

#include "generation/mod_folders.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/program_settings.h"
#include "shell/shortcut.h"
#include "xmlengine/engine.h"

namespace generation {
namespace {

constexpr std::string_view kShortName = "Vornak.TQ 1.5.0";

struct DescriptionEntry {
  const char* comment;
  const char* key;
  const char* value;
};

constexpr DescriptionEntry kDescription[] = {
    {"; Read Game options from XML, not .ini", "ForceGameOptions", "0"},
    {"; Modular XML Loading", "ModularLoading", "0"},
    {"; Skip Main menu", "SkipMainMenu", "0"},
    {"; Custom Art from user folder is not loaded", "NoCustomArt", "0"},
    {"; Custom XML and Python from user folder are not loaded", "NoCustomAssets", "0"},
    {"; No Custom Scenario option in main menu", "NoCustomScenario", "0"},
    {"; No team play allowed", "NoTeams", "0"},
    {"; Always start in the standard era", "ForceStandardEra", "0"},
    {"; Scenario file (Single player)", "ForceScenario", "0"},
    {"; Description of Mod", "Description", "Generic Mod"},
    {"; This mod is only for single player games", "SinglePlayerOnly", "0"},
    {"; Allow public maps to be used with this mod", "AllowPublicMaps", "1"},
    {"; Mod Image file", "ImageFile", "0"},
    {"; Name of Mod", "Name", "Vornak.TQ 1.5.0"},
};

const std::string kOuter(19, ' ');
const std::string kInner(38, ' ');

void Block(std::string& out, std::string_view name, const std::string& value,
           std::string_view type = "iDefineIntVal") {
  out += kOuter + "<Define>\r\n";
  out += kInner + "<DefineName>" + std::string(name) + "</DefineName>\r\n";
  out += kInner + "<" + std::string(type) + ">" + value + "</" + std::string(type) + ">\r\n";
  out += kOuter + "</Define>\r\n";
}

// A define of the Evolution of War game core, with comments that say what it is for.
void CommentedBlock(std::string& out, std::string_view name, int value, std::string_view mark,
                    std::string_view explanation, std::string_view sources) {
  out += kOuter + "<Define><!-- EoW: " + std::string(mark) + " -->\r\n";
  out += kInner + "<!-- " + std::string(explanation) + " -->\r\n";
  out += kInner + "<DefineName>" + std::string(name) + "</DefineName><!-- " + std::string(sources) +
         " -->\r\n";
  out += kInner + "<iDefineIntVal>" + std::to_string(value) + "</iDefineIntVal>\r\n";
  out += kOuter + "</Define>\r\n";
}

void WhenNot(std::string& out, const config::OptionSnapshot& options, std::string_view name,
             int key, int standard) {
  const int value = options.Value(key);
  if (value != standard) Block(out, name, std::to_string(value));
}

// The lines of an insert file, each ended by CR LF.
std::string Lines(const std::string& bytes) {
  return platform::JoinLinesCrLf(platform::SplitLines(bytes));
}

}  // namespace

std::string DescriptionFileText() {
  std::string text = "[CONFIG]\r\n\r\n";
  const size_t count = std::size(kDescription);
  for (size_t i = 0; i < count; ++i) {
    text += std::string(kDescription[i].comment) + "\r\n";
    text += std::string(kDescription[i].key) + " = " + kDescription[i].value + "\r\n";
    if (i + 1 < count) text += "\r\n";
  }
  return text;
}

std::string GlobalDefinesText(const config::OptionSnapshot& options,
                              const std::function<std::string(std::string_view)>& insert) {
  std::string out = "<?xml version=\"1.0\"?>\r\n";
  for (const auto line : xmlengine::kEditHeader) out += std::string(line) + "\r\n";
  out += "<!-- Global Defines -->\r\n";
  out += "<Civ4Defines xmlns=\"x-schema:CIV4GlobalDefinesSchema.xml\">\r\n";
  Block(out, "MAX_NUM_LANGUAGES", "6");
  Block(out, "MINIMAP_RENDER_SIZE", "256");
  WhenNot(out, options, "MIN_CITY_RANGE", 50, 2);
  WhenNot(out, options, "MAX_NATIONAL_WONDERS_PER_CITY", 32, 2);
  WhenNot(out, options, "ANIMAL_MAX_XP_VALUE", 33, 5);
  WhenNot(out, options, "BARBARIAN_MAX_XP_VALUE", 34, 10);
  if (options.Checked(42)) {
    for (const char* name :
         {"GLOBAL_WARMING_PROB", "GLOBAL_WARMING_UNHEALTH_WEIGHT", "GLOBAL_WARMING_NUKE_WEIGHT"}) {
      Block(out, name, "0");
    }
  }
  WhenNot(out, options, "MAX_EXPERIENCE_AFTER_UPGRADE", 35, 10);
  WhenNot(out, options, "TEAM_VOTE_MIN_CANDIDATES", 52, 2);
  if (options.Checked(21)) Block(out, "RENDER_GLOBEVIEW_CLOUDS", "0");
  WhenNot(out, options, "FREE_VASSAL_LAND_PERCENT", 54, 50);
  WhenNot(out, options, "FREE_VASSAL_POPULATION_PERCENT", 53, 50);
  WhenNot(out, options, "EVENT_PROBABILITY_ROLL_SIDES", 36, 100);
  WhenNot(out, options, "CITY_AIR_UNIT_CAPACITY", 51, 4);
  if (options.Checked(110)) out += Lines(insert("XML\\Slow Heals\\GlobalDefinesAlt.ini"));
  if (options.Checked(111)) out += Lines(insert("XML\\Religions\\GlobalDefinesAlt.ini"));
  if (options.DllComponentOn() && options.EvolutionOfWar()) {
    out += Lines(insert("XML\\EoW\\GlobalDefinesAlt.ini"));
    Block(out, "CAMERA_CITY_ZOOM_IN_DISTANCE", "5000", "fDefineFloatVal");
    CommentedBlock(out, "XP_FROM_BARBARIAN", 2, "CombatExFromBarbarain",
                   "Experience from combat with barbarians (game default 0)", "CvUnit.cpp");
    CommentedBlock(out, "FORT_AIR_UNIT_CAPACITY", options.Value(68), "FortAirCapacity",
                   "Air units a fort holds (game default 4)", "CvPlot.cpp, CvUnit.cpp");
    CommentedBlock(out, "LIMIT_REBASE", options.Checked(69) ? 1 : 0, "LimitRebase",
                   "Air units rebase within twice their range only (game default 0)", "CvUnit.cpp");
    CommentedBlock(out, "DEFENDER_WITHDRAWAL", options.Checked(70) ? 1 : 0, "DefenderWithdrawal",
                   "Defending units may withdraw (game default 0)", "CvUnit.cpp");
    CommentedBlock(out, "OCCASIONAL_PROMOTIONS", options.Checked(71) ? 1 : 0,
                   "OccasionalPromotions",
                   "Units earn promotions from terrain and enemy (game default 0)", "CvUnit.cpp");
    CommentedBlock(out, "GOLD_FOR_DISBANDING", options.Checked(72) ? 2 : 0, "GoldForDisbanding",
                   "Gold for disbanding inside the borders (game default 0)", "CvUnit.cpp");
    CommentedBlock(out, "DIAGONAL_COEFICIENT", options.Checked(73) ? 1414 : 1000, "RealMove",
                   "Cost of a diagonal move in thousandths (game default 1000)",
                   "CvMap.cpp, CvPlot.cpp");
    CommentedBlock(out, "DECELERATION_MOVE", options.Checked(77) ? 80 : 0, "DecelerationMove",
                   "Damaged ships move slower (game default 0)", "CvUnit.cpp");
    Block(out, "INTERCEPT_AIRLIFT_AND_REBASE", options.Checked(128) ? "1" : "0");
    Block(out, "PROMOTION_HEALTH_PERCENT", options.Checked(127) ? "0" : "50");
    Block(out, "TECH_COST_EXTRA_TEAM_MEMBER_MODIFIER", options.Checked(129) ? "0" : "30");
  }
  if (options.DllComponentOn() && options.RevolutionDcm()) {
    out += Lines(insert("XML\\RevolutionDCM\\GlobalDefinesAlt.ini"));
  }
  out += "</Civ4Defines>\r\n";
  return out;
}

std::string ShortcutName(std::string_view folder_name) {
  return folder_name == kShortName ? std::string(kShortName) : std::string(folder_name);
}

void WriteGlobalDefines(StageContext& c) {
  const auto insert = [&c](std::string_view relative) {
    const fs::path file = c.mod.DataPath(relative);
    const auto bytes = file.empty() ? std::nullopt : platform::ReadFileBytes(file);
    // A missing insert file would leave the file without its block: the run stops.
    if (!bytes) throw std::runtime_error("missing " + std::string(relative));
    return *bytes;
  };
  c.mod.MakeFolder("Assets\\XML");
  if (c.options().Checked(21)) {
    c.mod.CopyFolderFromData("Components\\Sky without clouds", "Assets\\Art\\Terrain\\Sky");
  }
  c.mod.WriteFile("Assets\\XML\\GlobalDefinesAlt.xml", GlobalDefinesText(c.options(), insert));
}

void WriteDescriptionFile(StageContext& c) {
  c.mod.WriteFile(c.inputs.folder_name + ".ini", DescriptionFileText());
  c.mod.MakeFolder("Assets");
}

void WriteIconsShortcutAndConfiguration(StageContext& c) {
  for (int icon = 0; icon <= 6; ++icon) {
    const std::string name = icon == 0 ? "Vornak.ico" : "Vornak" + std::to_string(icon) + ".ico";
    c.mod.CopyFromData("Interface\\" + name, "");
  }
  c.log.Step(1);
  const int chosen = c.inputs.icon >= 0 && c.inputs.icon <= 6 ? c.inputs.icon : 0;
  const std::string icon = chosen == 0 ? "Vornak.ico" : "Vornak" + std::to_string(chosen) + ".ico";
  if (c.inputs.make_shortcut && !c.inputs.dry_run) {
    const fs::path game = shell::FileInFolder(c.inputs.game_folder, shell::kGameExecutable);
    const fs::path link = LauncherFile(c.inputs);
    const fs::path icon_file = c.final_mod / icon;
    const std::string argument = "mod=\"Mods\\" + c.inputs.folder_name + "\"";
    c.after_commit.push_back([game, link, icon_file, argument] {
      shell::CreateShortcut(game, link, "", icon_file, {argument});
    });
  }
  c.mod.WriteFile("AutoConfig.vkm", c.inputs.configuration_text);
}

}  // namespace generation
