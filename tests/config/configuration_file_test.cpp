#include "config/configuration_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "platform/text.h"
#include "tests/config/known_state.h"
#include "tests/config/rules_fixture.h"
#include "tests/support/temp_folder.h"

namespace config_test {
namespace {

using config::CurrentConfiguration;
using config::ReadConfiguration;
using config::WriteConfiguration;
using testing_support::TempFolder;

std::filesystem::path Fixture(std::string_view name) {
  return std::filesystem::path(CONFIG_TEST_DATA) / name;
}

class ConfigurationFileTest : public RulesFixture {
 public:
  ConfigurationFileTest() {
    for (const char* folder :
         {"Change/Axeman/Dwarf Axe", "Change/Tank/Heavy Tank", "New/Air_Gunship/Hind",
          "New/Land_Ranger/Scout", "Art Flags/Rome/Eagle"}) {
      std::filesystem::create_directories(data_ / folder);
    }
    context_.accept = config::FolderAcceptor(data_);
  }

  bool Read(const std::filesystem::path& path) { return ReadConfiguration(rules_, path, context_); }
  std::string Value(std::string_view grid, int row) const { return controls_.RowValue(grid, row); }

  TempFolder folder_;
  std::filesystem::path data_ = folder_ / "DATA";
  config::ReadContext context_;
};

// A second window that starts from the initial state, to read into.
struct FreshWindow {
  FreshWindow() : controls(MainWindowControls()), rules(controls, &events) {
    rules.InitialiseControls();
  }
  RecordingEvents events;
  FakeControls controls;
  config::OptionRules rules;
};

TEST_F(ConfigurationFileTest, ReadingASavedFileReproducesEveryControl) {
  controls_.SetEnabled(Name(38), true);  // component packs that are installed
  controls_.SetEnabled(Name(95), true);
  Click(1, true);
  Click(7, true);
  Click(95, true);  // brings 86
  Click(57, false);
  Type(2, "80");
  Type(36, "5");  // below the arrows, kept by the clamp
  Click(17, true);
  Click(62, true);
  Click(13, true);
  Click(58, true);
  controls_.SetItemIndex(Name(59), 1);
  rules_.DllVariantClicked();
  Click(80, true);
  Type(138, "150");
  Click(164, true);
  Type(171, "30");
  Click(81, true);
  Click(141, true);
  Click(143, true);
  Click(145, true);
  Click(144, false);
  Click(4, true);
  controls_.SetItemIndex(Name(12), 2);
  Click(38, true);
  Click(115, false);
  Click(124, true);
  Click(111, true);
  controls_.SetItemIndex(Name(173), 3);
  ClickLine(1, true);
  ClickLine(2, false);
  controls_.SetRowValue("ValueListEditor2", 1, "Dwarf Axe");
  controls_.SetRowValue("ValueListEditor3", 1, "Hind");
  controls_.SetRowValue("ValueListEditor1", 1, "Scout");
  controls_.SetRowValue("ValueListEditor5", 2, "Eagle");

  const auto path = folder_ / "Config" / "Everything.vkm";
  ASSERT_TRUE(WriteConfiguration(controls_, path));

  FreshWindow fresh;
  fresh.controls.SetEnabled(Name(38), true);
  fresh.controls.SetEnabled(Name(95), true);
  context_.group_open = [](std::string_view) { return false; };
  ASSERT_TRUE(ReadConfiguration(fresh.rules, path, context_));
  EXPECT_EQ(fresh.controls.Dump(), controls_.Dump());
  EXPECT_EQ(fresh.events.screens.back(), 2);  // the stored screen is shown
}

TEST_F(ConfigurationFileTest, WrittenFileLayout) {
  const auto path = folder_ / "Layout.vkm";
  ASSERT_TRUE(WriteConfiguration(controls_, path));
  const std::string bytes = folder_.Read("Layout.vkm");
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

  const platform::IniFile file = platform::IniFile::Parse(bytes);
  EXPECT_EQ(file.Sections(),
            (std::vector<std::string>{"Main", "Settings change model", "Settings air new unit",
                                      "Settings navy new unit", "Settings land new unit",
                                      "Settings flags", "Settings change lines of development",
                                      "Settings other options", "Settings of EXACT"}));
  const auto lines = platform::SplitLines(bytes);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6),
            (std::vector<std::string>{"[Main]", "File=<Vornak Config File>", "Version=1.5.0",
                                      "ProgramVersion=1.5.0.2k.lang", "[Settings change model]",
                                      "Axeman={Standart}"}));
  EXPECT_EQ(lines.back(), "[Settings of EXACT]");
  EXPECT_EQ(file.Keys("Settings change lines of development"),
            (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "92", "93"}));
  for (auto [key, value] :
       {std::pair{"57", "1"}, {"1", "0"}, {"2", "75"}, {"12", "-1"}, {"59", "0"}, {"173", "0"}}) {
    EXPECT_EQ(file.Get("Settings other options", key), value) << key;
  }
  EXPECT_EQ(file.Get("Settings change lines of development", "2"), "1");
}

// The whole file, byte for byte: sections, key order, values and the cp1251 grid value.
TEST_F(ConfigurationFileTest, WrittenFileOfAKnownStateMatchesItsGolden) {
  SetKnownState(controls_);
  ASSERT_TRUE(WriteConfiguration(controls_, folder_ / "Known.vkm"));
  EXPECT_EQ(folder_.Read("Known.vkm"), GoldenBytes("known_state.vkm"));
}

TEST_F(ConfigurationFileTest, FileOfAnotherVersionIsReadKeyByKey) {
  ASSERT_TRUE(Read(Fixture("other_version.vkm")));
  EXPECT_TRUE(On(1));
  EXPECT_TRUE(On(7));
  EXPECT_TRUE(Enabled(7));
  for (int key : {17, 18, 19, 20, 148, 149}) EXPECT_TRUE(On(key)) << key;
  EXPECT_FALSE(On(16));
  EXPECT_FALSE(On(57));
  EXPECT_EQ(controls_.Position(Name(3)), 40);
  EXPECT_EQ(Text(2), "75");  // missing: kept
  EXPECT_EQ(Text(9), "60");
  EXPECT_EQ(controls_.ItemIndex(Name(12)), -1);  // not a number: kept
  EXPECT_EQ(controls_.PageIndex(config::kDllPages), config::kRevDcmPage);
  EXPECT_EQ(Value("ValueListEditor2", 1), "Dwarf Axe");
  EXPECT_TRUE(controls_.IsItemChecked(config::kLinesList, 1));
  EXPECT_FALSE(controls_.IsItemChecked(config::kLinesList, 2));
  EXPECT_TRUE(Enabled(config::kLinesStandardButton));
  EXPECT_TRUE(Enabled(config::kOtherStandardButton));
  EXPECT_FALSE(CurrentConfiguration().loading);
}

TEST_F(ConfigurationFileTest, FileWithoutOtherOptionsSetsOnlyKey9) {
  Click(1, true);
  Type(9, "50");
  ASSERT_TRUE(Read(Fixture("no_other_options.vkm")));
  EXPECT_TRUE(On(1));
  EXPECT_EQ(Text(9), "100");
  EXPECT_EQ(controls_.Position(Name(9)), 100);
  EXPECT_TRUE(controls_.IsItemChecked(config::kLinesList, 1));
}

TEST_F(ConfigurationFileTest, FutureLifeIsReadAfterItsParts) {
  ASSERT_TRUE(Read(Fixture("future_life_without_parts.vkm")));
  EXPECT_TRUE(On(143));
  EXPECT_TRUE(On(144));
  EXPECT_TRUE(Enabled(145));
}

TEST_F(ConfigurationFileTest, StoredLoadingScreenWinsOverTheFirstOne) {
  const auto path = folder_.Write("Screens.vkm", "[Settings other options]\r\n4=1\r\n12=-1\r\n");
  ASSERT_TRUE(Read(path));
  EXPECT_TRUE(On(4));
  EXPECT_EQ(controls_.ItemIndex(Name(12)), -1);
  folder_.Write("Screens.vkm", "[Settings other options]\r\n4=1\r\n12=7\r\n59=-5\r\n");
  ASSERT_TRUE(Read(path));
  EXPECT_EQ(controls_.ItemIndex(Name(12)), -1);  // no such screen: nothing selected
  EXPECT_EQ(controls_.ItemIndex(Name(59)), -1);
}

TEST_F(ConfigurationFileTest, CounterOutOfRangeStopsTheReading) {
  ASSERT_FALSE(Read(Fixture("counter_out_of_range.vkm")));
  EXPECT_EQ(errors_.codes, std::vector<std::string>{"07.005-01"});
  errors_.codes.clear();
  EXPECT_EQ(Value("ValueListEditor2", 1), "Dwarf Axe");
  EXPECT_TRUE(On(1));  // read before the counter
  EXPECT_EQ(Text(2), "75");
  EXPECT_EQ(Text(3), "50");  // after it: never read
  EXPECT_FALSE(On(6));
  EXPECT_FALSE(CurrentConfiguration().loading);
}

TEST_F(ConfigurationFileTest, ValuesOutsideTheSixteenBitRangeEdgesAreTaken) {
  folder_.Write("Edges.vkm", "[Settings other options]\r\n2=-32768\r\n3=32767\r\n");
  ASSERT_TRUE(Read(folder_ / "Edges.vkm"));
  EXPECT_EQ(Text(2), "0");  // clamped by the consistency check
  EXPECT_EQ(Text(3), "100");
}

// A stored counter takes its clamp range on reading, each counter on its own. The edits keep only
// as many characters as their digits, so a value out of range would otherwise sit there as a
// text the consistency check cannot read ("-" of "-5"), with the arrows' position behind it
// reaching the game files. The clamp range is not the arrows' range: 36's arrows stop at 9.
TEST_F(ConfigurationFileTest, CountersAreClampedIntoTheirRangeOnReading) {
  struct Case {
    const char* options;
    std::vector<std::pair<int, int>> positions;  // key, position and text after reading
  };
  const Case cases[] = {
      {"50=-5\r\n32=-32768\r\n36=32767\r\n", {{50, 1}, {32, 1}, {36, 200}}},
      {"2=-7\r\n55=64\r\n132=0\r\n171=99\r\n", {{2, 0}, {55, 32}, {132, 40}, {171, 50}}},
      {"36=5\r\n48=3\r\n138=10\r\n", {{36, 5}, {48, 3}, {138, 10}}},
  };
  for (const Case& c : cases) {
    FreshWindow window;
    const auto file =
        folder_.Write("Counters.vkm", std::string("[Settings other options]\r\n") + c.options);
    EXPECT_TRUE(ReadConfiguration(window.rules, file, context_)) << c.options;
    for (const auto& [key, expected] : c.positions) {
      EXPECT_EQ(window.controls.Position(Name(key)), expected) << c.options << " key " << key;
      EXPECT_EQ(window.controls.Text(Edit(key)), std::to_string(expected))
          << c.options << " key " << key;
    }
  }
}

TEST_F(ConfigurationFileTest, GridValuesNeedTheirFolder) {
  struct Case {
    const char* grid;
    const char* identifier;
    const char* value;
    bool accepted;
  };
  const Case cases[] = {
      {"ValueListEditor2", "Axeman", "Dwarf Axe", true},
      {"ValueListEditor2", "Axeman", "dwarf axe", true},  // names on disk match without case
      {"ValueListEditor2", "Axeman", "{Standart}", true},
      {"ValueListEditor2", "Axeman", "{None}", false},
      {"ValueListEditor2", "Frigate", "Dwarf Axe", false},  // another unit's model
      {"ValueListEditor2", "Axeman", "..\\Tank\\Heavy Tank", false},
      {"ValueListEditor2", "Axeman", "", false},
      {"ValueListEditor2", "Axeman", ".", false},
      {"ValueListEditor3", "Air_Gunship", "Hind", true},
      {"ValueListEditor3", "Air_Gunship", "{None}", true},
      {"ValueListEditor3", "Air_Gunship", "{Standart}", false},
      {"ValueListEditor5", "Rome", "Eagle", true},
      {"ValueListEditor9", "Rome", "Eagle", false},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(context_.accept(test.grid, test.identifier, test.value), test.accepted)
        << test.grid << " " << test.identifier << " " << test.value;
  }
}

TEST_F(ConfigurationFileTest, GridValueOfADeletedModelKeepsTheCell) {
  controls_.SetRowValue("ValueListEditor2", 3, "Heavy Tank");
  folder_.Write("Grid.vkm",
                "[Settings change model]\r\nAxeman=Dwarf Axe\r\nTank=Gone Tank\r\n"
                "[Settings flags]\r\nRome=Eagle\r\n");
  ASSERT_TRUE(Read(folder_ / "Grid.vkm"));
  EXPECT_EQ(Value("ValueListEditor2", 1), "Dwarf Axe");
  EXPECT_EQ(Value("ValueListEditor2", 3), "Heavy Tank");
  EXPECT_EQ(Value("ValueListEditor5", 2), "Eagle");
}

TEST_F(ConfigurationFileTest, AcceptanceTestIsPluggable) {
  std::vector<std::string> asked;
  context_.accept = [&](std::string_view grid, std::string_view identifier, std::string_view) {
    asked.push_back(std::string(grid) + ":" + std::string(identifier));
    return identifier == "Frigate";
  };
  folder_.Write("Grid.vkm", "[Settings change model]\r\nAxeman=A\r\nFrigate=B\r\n");
  ASSERT_TRUE(Read(folder_ / "Grid.vkm"));
  EXPECT_EQ(asked,
            (std::vector<std::string>{"ValueListEditor2:Axeman", "ValueListEditor2:Frigate"}));
  EXPECT_EQ(Value("ValueListEditor2", 1), "{Standart}");
  EXPECT_EQ(Value("ValueListEditor2", 2), "B");
}

class LoadingFlagEvents : public RecordingEvents {
 public:
  void RefreshGridDescription(std::string_view grid) override {
    RecordingEvents::RefreshGridDescription(grid);
    loading_while_refreshing = CurrentConfiguration().loading;
  }
  void ConfigurationRead() override { loading_when_done = CurrentConfiguration().loading; }
  bool loading_while_refreshing = false;
  bool loading_when_done = true;
};

TEST_F(ConfigurationFileTest, OpenNewUnitGroupsAreReadLast) {
  LoadingFlagEvents events;
  config::OptionRules rules(controls_, &events);
  folder_.Write(
      "Units.vkm",
      "[Settings land new unit]\r\nLand_Ranger=Scout\r\n"
      "[Settings air new unit]\r\nAir_Gunship=Hind\r\n"
      "[Settings navy new unit]\r\nNavy_Corvette={None}\r\n"
      "[Settings flags]\r\nRome=Eagle\r\n[Settings change model]\r\nAxeman=Dwarf Axe\r\n");
  context_.group_open = [](std::string_view grid) { return grid == "ValueListEditor3"; };
  ASSERT_TRUE(ReadConfiguration(rules, folder_ / "Units.vkm", context_));
  EXPECT_EQ(controls_.row_writes(),
            (std::vector<std::string>{"ValueListEditor2", "ValueListEditor5", "ValueListEditor4",
                                      "ValueListEditor1", "ValueListEditor3"}));
  EXPECT_EQ(events.refreshed, std::vector<std::string>{"ValueListEditor3"});
  EXPECT_TRUE(events.loading_while_refreshing);
  EXPECT_FALSE(events.loading_when_done);
}

TEST_F(ConfigurationFileTest, CleanUpAfterReading) {
  folder_.Write("Packs.vkm", "[Settings other options]\r\n38=1\r\n95=1\r\n13=1\r\n14=1\r\n");
  controls_.SetEnabled(Name(95), true);  // only this pack is installed
  ASSERT_TRUE(Read(folder_ / "Packs.vkm"));
  EXPECT_FALSE(On(38));
  EXPECT_TRUE(On(95));
  EXPECT_TRUE(On(86));
  EXPECT_NE(On(13), On(14));  // one flag shape only
}

TEST_F(ConfigurationFileTest, UnwritableFileIsReportedAndChangesNothing) {
  folder_.Write("Blocker", "a file where a folder should be");
  const std::string before = controls_.Dump();
  EXPECT_FALSE(WriteConfiguration(controls_, folder_ / "Blocker" / "Config.vkm"));
  EXPECT_EQ(errors_.codes, std::vector<std::string>{"07.004-01"});
  errors_.codes.clear();
  EXPECT_EQ(controls_.Dump(), before);

  // A configuration the user made read-only is refused the same way and kept as it is.
  const auto kept = folder_.Write("Kept.vkm", "[Settings other options]\r\n38=1\r\n");
  std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
  EXPECT_FALSE(WriteConfiguration(controls_, kept));
  EXPECT_EQ(errors_.codes, std::vector<std::string>{"07.004-01"});
  errors_.codes.clear();
  EXPECT_EQ(folder_.Read("Kept.vkm"), "[Settings other options]\r\n38=1\r\n");
}

TEST_F(ConfigurationFileTest, MissingFileReadsLikeAnEmptyOne) {
  Type(9, "50");
  ASSERT_TRUE(Read(folder_ / "Nothing.vkm"));
  EXPECT_EQ(Text(9), "100");
}

}  // namespace
}  // namespace config_test
