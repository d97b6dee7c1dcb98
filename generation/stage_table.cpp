#include "generation/stage_table.h"

#include <initializer_list>
#include <vector>

#include "generation/metadata_stages.h"
#include "generation/simple_stages.h"

namespace generation {
namespace {

using Condition = std::function<bool(const StageContext&)>;

bool On(const StageContext& c, int key) { return c.options().Checked(key); }

Condition Always() {
  return [](const StageContext&) { return true; };
}

Condition Option(int key) {
  return [key](const StageContext& c) { return On(c, key); };
}

Condition AnyOf(std::initializer_list<int> keys) {
  std::vector<int> list(keys);
  return [list](const StageContext& c) {
    for (int key : list) {
      if (On(c, key)) return true;
    }
    return false;
  };
}

bool DllOn(const StageContext& c) { return c.options().DllComponentOn(); }

// The difficulty levels and speeds differ from the game's: a level off or a new speed on.
bool SpeedsChanged(const StageContext& c) {
  for (int key : {115, 117, 118, 119, 120, 121, 122}) {
    if (!On(c, key)) return true;
  }
  return On(c, 123) || On(c, 124) || On(c, 125);
}

bool RuleOptionsChanged(const StageContext& c) {
  for (int key = 133; key <= 172; ++key) {
    if (key != 138 && key != 155 && key != 171 && key != 143 && key != 144 && key != 145 &&
        key != 146 && key != 147 && key != 148 && key != 149 && key != 150 && key != 151 &&
        On(c, key)) {
      return true;
    }
  }
  return c.options().Value(132) != 50 || c.options().Value(155) != 0;
}

bool ExactOptionOn(const StageContext& c) {
  for (const auto& [key, option] : c.options().external()) {
    if (option.enabled && option.value != "0" && !option.value.empty()) return true;
  }
  return false;
}

constexpr std::string_view kUnitFiles = "the unit file and the new-unit records";
constexpr std::string_view kRuleEdits = "the rule edits of the game files";
constexpr std::string_view kRuleFiles = "the rule options applied by files and patch files";
constexpr std::string_view kTexts = "the game texts of the new units";
constexpr std::string_view kArt = "the models, flags, art styles and screens";
constexpr std::string_view kDll = "the DLL components, maps and image packs";
constexpr std::string_view kFuture = "the Next War and Future Life packs";
constexpr std::string_view kPacks = "the unit and civilization packs";
constexpr std::string_view kExact = "the external components";

const std::vector<Stage>& Table() {
  static const std::vector<Stage> table = {
      {1, "special unit file", Always(), CopySpecialUnits},
      {2, "unit file and unit classes", Always(), {}, 5, kUnitFiles},
      {3,
       "civilization file variant",
       [](const StageContext& c) { return On(c, 6) || (DllOn(c) && c.options().RevolutionDcm()); },
       {},
       1,
       kRuleFiles},
      {4,
       "technology tree",
       [](const StageContext& c) {
         return c.needs_helicopter_technology || c.needs_jet_technology || On(c, 43);
       },
       {},
       1,
       kRuleEdits},
      {5, "DLL component base files", DllOn, {}, 1, kDll},
      {6, "technology buttons",
       [](const StageContext& c) {
         return c.needs_helicopter_technology || c.needs_jet_technology;
       },
       CopyTechnologyButtons},
      {7,
       "strategic defence interception",
       [](const StageContext& c) { return c.options().Value(2) != 75; },
       {},
       1,
       kRuleEdits},
      {8, "Next War project file", Option(81), {}, 1, kFuture},
      {9, "game texts", Always(), {}, 5, kTexts},
      {10, "unit and civilization art definitions", Always(), {}, 5, kUnitFiles},
      {11, "models", Always(), {}, 10, kArt},
      {12, "main menus and loading screens", Option(4), {}, 1, kArt},
      {13, "city ruins", AnyOf({30, 31}), {}, 1, kRuleEdits},
      {14, "barbarian cities", Option(37), {}, 1, kRuleEdits},
      {15, "city processes", Always(), {}, 1, kRuleEdits},
      {16, "idle-process button", Option(46), CopyIdleButton},
      {17,
       "jungle chopping or DLL build files",
       [](const StageContext& c) { return On(c, 47) || DllOn(c); },
       {},
       1,
       kRuleEdits},
      {18,
       "domination victory",
       [](const StageContext& c) {
         return c.options().Value(48) != 25 || c.options().Value(49) != 51 ||
                (DllOn(c) && c.options().RevolutionDcm());
       },
       {},
       1,
       kRuleEdits},
      {19,
       "jungle and forest growth",
       [](const StageContext& c) {
         return c.options().Value(55) != 16 || c.options().Value(56) != 8 ||
                (DllOn(c) && c.options().RevolutionDcm());
       },
       {},
       1,
       kRuleEdits},
      // The empty number fields are filled when the run is prepared, before the option state is
      // taken; the row is kept for its place in the order.
      {20, "standard texts for empty number fields", Always(), [](StageContext&) {}},
      {21, "GlobalDefinesAlt.xml", Always(), WriteGlobalDefines},
      {22, "flags", Always(), {}, 5, kArt},
      {23, "static images and main-menu music", AnyOf({38, 39, 40, 41}), {}, 1, kDll},
      {24, "additional maps and scenarios", Option(57), {}, 1, kDll},
      {25, "DLL component files", DllOn, {}, 5, kDll},
      {26, "Next War", Option(81), {}, 1, kFuture},
      {27, "Future Life", Option(143), {}, 1, kFuture},
      {28, "magnetic roads", Option(147), {}, 1, kRuleFiles},
      {29, "ranged artillery and related unit edits", Always(), {}, 3, kRuleEdits},
      {30, "additional map sizes", Option(82), {}, 1, kDll},
      {31, "early units", AnyOf({87, 88, 89, 90}), {}, 5, kPacks},
      {32, "additional civilizations", Option(86), {}, 10, kPacks},
      {33, "art styles", AnyOf({94, 96, 97, 98, 99, 100, 101, 102, 103, 104, 109}), {}, 2, kArt},
      {34, "improved marines, paratroopers, saboteurs", AnyOf({106, 107, 108}), {}, 1, kPacks},
      {35, "city styles and city layout", AnyOf({105, 87}), {}, 1, kPacks},
      {36, "slow healing", Option(110), {}, 1, kRuleFiles},
      {37, "additional resources", Option(85), {}, 1, kPacks},
      {38,
       "cuirassiers and longbowman upgrade",
       [](const StageContext& c) { return On(c, 91) || c.options().LineItem(13); },
       {},
       1,
       kRuleFiles},
      {39, "civics", Option(137), {}, 1, kRuleFiles},
      {40, "religions", AnyOf({111, 130, 131}), {}, 1, kRuleFiles},
      {41, "harbour and customs-house yields", AnyOf({112, 113}), {}, 1, kRuleFiles},
      {42, "new game speeds and difficulty levels", SpeedsChanged, {}, 1, kRuleFiles},
      {43,
       "commanders' speed and unit patches",
       [](const StageContext& c) { return DllOn(c) && c.options().EvolutionOfWar() && On(c, 74); },
       {},
       1,
       kDll},
      {44, "unit file fallback and the mod's text file", Always(), CopyUnitFallbackAndText},
      {45, "rule options by patch files", RuleOptionsChanged, {}, 5, kRuleFiles},
      {46, "roman roads and route models", AnyOf({154, 147}), {}, 1, kRuleFiles},
      {47, "description file", Always(), WriteDescriptionFile},
      {48, "external components", ExactOptionOn, {}, 0, kExact},
      {49, "icons, shortcut and configuration copy", Always(), WriteIconsShortcutAndConfiguration,
       4},
  };
  return table;
}

}  // namespace

std::span<const Stage> Stages() { return Table(); }

int GaugeMaximum(int exact_components) { return exact_components + 102; }

}  // namespace generation
