#include "catalogue/component_packs.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace catalogue {
namespace {

using testing_support::TempFolder;

TEST(IsPackAvailable, NeedsEveryListedFile) {
  struct Case {
    const char* what;
    const char* list;  // nullptr: no Components.ini
    bool available;
  } cases[] = {
      {"no list", nullptr, false},
      {"empty list", "", true},
      {"all files there", "Assets\\Art\\a.dds\r\nAssets\\Art\\b.dds\r\n", true},
      {"any letter case", "assets\\art\\A.DDS", true},
      {"one file missing", "Assets\\Art\\a.dds\r\nAssets\\Art\\missing.dds\r\n", false},
      {"empty line", "Assets\\Art\\a.dds\r\n\r\nAssets\\Art\\b.dds\r\n", false},
      {"empty last line", "Assets\\Art\\a.dds\r\n\r\n", false},
      {"leading separator", "\\Assets\\Art\\a.dds", true},
      {"a folder", "Assets\\Art", false},
      {"a file outside the pack", "..\\..\\..\\outside.txt", false},
      {"an absolute path", "/etc/hostname", false},
  };
  for (const auto& c : cases) {
    TempFolder temp;
    temp.Write("outside.txt", "x");
    temp.Write("DATA/Components/Pack 1.0/DATA/Assets/Art/a.dds", "x");
    temp.Write("DATA/Components/Pack 1.0/DATA/Assets/Art/b.dds", "x");
    if (c.list) temp.Write("DATA/Components/Pack 1.0/Components.ini", c.list);
    EXPECT_EQ(IsPackAvailable(temp / "DATA", "Pack 1.0"), c.available) << c.what;
  }
  EXPECT_FALSE(IsPackAvailable(fs::path(), "Pack 1.0"));
}

TEST(PackOptionStates, EnablesTheOptionsOfAvailablePacks) {
  TempFolder temp;
  temp.Write("DATA/Components/Static Wonders 1.0/Components.ini", "");
  temp.Write("DATA/Components/additional civilizations/Animated Leaders/Components.ini",
             "Leaders\\a.nif");
  temp.Write("DATA/Components/additional civilizations/Animated Leaders/DATA/Leaders/a.nif", "x");
  temp.Write("DATA/Components/Music Main Menu 1.0/Components.ini", "Sounds\\theme.mp3");

  std::vector<std::pair<std::string, bool>> states;
  for (const PackOptionState& state : PackOptionStates(temp / "DATA")) {
    states.emplace_back(std::string(state.check_box), state.enabled);
  }
  EXPECT_EQ(states, (std::vector<std::pair<std::string, bool>>{{"CheckBox26", false},
                                                               {"CheckBox27", false},
                                                               {"CheckBox28", true},
                                                               {"CheckBox29", false},
                                                               {"CheckBox65", true}}));
}

}  // namespace
}  // namespace catalogue
