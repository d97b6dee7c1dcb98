#include "config/option_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/config/rules_fixture.h"
#include "tests/support/temp_folder.h"

namespace config_test {
namespace {

using config::kDllPages;
using config::kLinesStandardButton;
using config::kMmenuStandardButton;
using config::kOtherStandardButton;
using config::kSpeedStandardButton;

using RulesTest = RulesFixture;

TEST_F(RulesTest, InitialStateOfTheWindow) {
  for (const config::ButtonInfo& button : config::Buttons()) {
    EXPECT_FALSE(Enabled(button.name)) << button.name;
  }
  // The initial state is not the standard one (key 57), yet the button waits for the first
  // consistency check.
  EXPECT_TRUE(On(57));
  EXPECT_FALSE(Enabled(7));
  EXPECT_FALSE(Enabled(12));
  EXPECT_FALSE(Enabled(59));
  EXPECT_EQ(controls_.ItemIndex(Name(59)), 0);
  EXPECT_EQ(controls_.ItemIndex(Name(12)), -1);
  EXPECT_EQ(controls_.PageIndex(kDllPages), config::kDllDisabledPage);
  EXPECT_EQ(Text(2), "75");
  for (const config::LineItemInfo& item : config::LineItems()) {
    EXPECT_EQ(controls_.IsItemChecked(config::kLinesList, item.item), item.standard) << item.item;
  }
  for (const config::FixedLevelInfo& level : config::FixedLevels()) {
    EXPECT_TRUE(controls_.IsChecked(level.control));
    EXPECT_FALSE(controls_.IsEnabled(level.control));
  }

  rules_.CounterChanged();
  EXPECT_TRUE(Enabled(kOtherStandardButton));
}

struct ClickCase {
  const char* name;
  std::vector<std::pair<int, bool>> clicks;
  std::set<int> expected_on;  // among `watched`
};

class ClickCasesTest : public RulesFixture {
 protected:
  std::set<int> RunClicks(const std::vector<std::pair<int, bool>>& clicks,
                          const std::vector<int>& watched) {
    for (const auto& [key, checked] : clicks) Click(key, checked);
    std::set<int> checked;
    for (int key : watched) {
      if (On(key)) checked.insert(key);
    }
    return checked;
  }
};

TEST_F(ClickCasesTest, RangedAttackChains) {
  const std::vector<int> watched = {16, 17, 18, 19, 20, 148, 149, 60, 61,  62,
                                    63, 64, 65, 22, 23, 24,  25,  26, 150, 151};
  const ClickCase cases[] = {
      {"checking the trebuchet checks every later land option",
       {{17, true}},
       {17, 18, 19, 20, 148, 149}},
      {"clearing one clears only the earlier ones", {{17, true}, {19, false}}, {20, 148, 149}},
      {"the last of a chain stands alone", {{149, true}}, {149}},
      {"the sea chain runs through 22 to 26 after 65",
       {{64, true}},
       {64, 65, 22, 23, 24, 25, 26, 150, 151}},
      {"clearing inside the sea chain", {{60, true}, {24, false}}, {25, 26, 150, 151}},
      {"the chains do not touch each other", {{16, true}, {151, true}, {148, false}}, {149, 151}},
  };
  for (const ClickCase& test : cases) {
    for (int key : watched) controls_.SetChecked(Name(key), false);
    EXPECT_EQ(RunClicks(test.clicks, watched), test.expected_on) << test.name;
  }
}

TEST_F(ClickCasesTest, FlagShapesExcludeEachOther) {
  const std::vector<int> watched = {10, 13, 14};
  const ClickCase cases[] = {
      {"checking 13 clears 10 and 14", {{10, true}, {14, true}, {13, true}}, {13}},
      {"checking 10 then clears 13", {{13, true}, {10, true}}, {10}},
      {"clearing one leaves the others", {{14, true}, {14, false}}, {}},
  };
  for (const ClickCase& test : cases) {
    for (int key : watched) controls_.SetChecked(Name(key), false);
    EXPECT_EQ(RunClicks(test.clicks, watched), test.expected_on) << test.name;
  }
}

TEST_F(RulesTest, SettingABoxToItsOwnStateRunsNothing) {
  controls_.SetChecked(Name(18), true);  // checked without its rule
  rules_.SetOption(18, true);
  EXPECT_FALSE(On(19));
  rules_.SetOption(18, false);
  rules_.SetOption(18, true);
  EXPECT_TRUE(On(19));
  EXPECT_TRUE(On(149));
}

TEST_F(RulesTest, HelicoptersOverGlaciersNeedTheSeaAndMountainsOption) {
  Click(1, true);
  EXPECT_TRUE(Enabled(7));
  Click(7, true);
  Click(1, false);
  EXPECT_FALSE(On(7));
  EXPECT_FALSE(Enabled(7));
}

TEST_F(RulesTest, AnimatedLeadersComeWithTheAdditionalCivilizations) {
  controls_.SetEnabled(Name(95), true);  // its pack is installed
  Click(95, true);
  EXPECT_TRUE(On(86));
  Click(86, false);
  EXPECT_FALSE(On(95));
}

TEST_F(RulesTest, NextWarEnablesItsPartsAndKeepsTheirState) {
  Click(81, true);
  for (int key : {174, 140, 141, 142}) EXPECT_TRUE(Enabled(key)) << key;
  Click(141, true);
  Click(81, false);
  for (int key : {174, 140, 141, 142}) EXPECT_FALSE(Enabled(key)) << key;
  EXPECT_TRUE(On(141));
}

TEST_F(RulesTest, FutureLifeNeedsOneOfItsParts) {
  Click(143, true);
  EXPECT_TRUE(On(144));
  for (int key : {144, 145, 146}) EXPECT_TRUE(Enabled(key)) << key;

  Click(145, true);
  Click(144, false);
  EXPECT_TRUE(On(143));  // 145 is still on
  Click(145, false);
  EXPECT_FALSE(On(143));
  for (int key : {144, 145, 146}) EXPECT_FALSE(Enabled(key)) << key;

  Click(143, true);
  EXPECT_TRUE(On(144));

  // A click on the magnetic roads re-runs the component's rule.
  controls_.SetChecked(Name(144), false);
  Click(147, true);
  EXPECT_TRUE(On(144));
}

TEST_F(RulesTest, CountersOfStormsAndCavalryPenaltyFollowTheirOptions) {
  Click(80, true);
  EXPECT_TRUE(Enabled(138));
  Click(80, false);
  EXPECT_FALSE(Enabled(138));

  Click(164, true);
  EXPECT_TRUE(Enabled(171));
  Click(164, false);
  EXPECT_FALSE(Enabled(171));
}

TEST_F(RulesTest, ConsistencyCheckClampsTypedTexts) {
  struct Case {
    int key;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {
      {2, "150", "100"},                     // above the maximum
      {36, "5", "5"},                        // the arrows stop at 9, the clamp at 0
      {32, "9", "5"},    {51, "1", "2"},     // below the minimum
      {56, "40", "32"},                      // the arrows go to 64, the clamp to 32
      {132, "39", "40"}, {171, "99", "50"},  // no standard value, clamped all the same
      {2, "", ""},                           // an empty text is left for the user to finish
  };
  for (const Case& test : cases) {
    Type(test.key, test.typed);
    EXPECT_EQ(Text(test.key), test.expected) << test.key << " " << test.typed;
    if (*test.expected) {
      EXPECT_EQ(controls_.Position(Name(test.key)), std::stoi(test.expected)) << test.key;
    }
  }
}

TEST_F(RulesTest, TextThatIsNotANumberStopsTheCheck) {
  controls_.SetText(Edit(68), "1");  // clamped before the failing counter is reached
  Type(2, "1x");
  EXPECT_EQ(errors_.codes, std::vector<std::string>{"01.021-01"});
  EXPECT_EQ(Text(68), "2");
  EXPECT_FALSE(Enabled(kOtherStandardButton));  // keeps its state
  errors_.codes.clear();
}

TEST_F(RulesTest, OtherPageButtonFollowsTheStandardState) {
  rules_.ButtonPressed(kOtherStandardButton);
  EXPECT_FALSE(On(57));
  EXPECT_FALSE(Enabled(kOtherStandardButton));

  struct Case {
    const char* name;
    std::function<void(RulesFixture&)> change;
    bool enabled;
  };
  const Case cases[] = {
      {"a checked rule", [](RulesFixture& f) { f.Click(161, true); }, true},
      {"a counter at another value", [](RulesFixture& f) { f.Type(48, "30"); }, true},
      {"the standard value typed differently", [](RulesFixture& f) { f.Type(2, "075"); }, true},
      {"the penalty counter has no standard", [](RulesFixture& f) { f.Type(171, "30"); }, false},
      {"the fort counter has no standard", [](RulesFixture& f) { f.Type(68, "5"); }, false},
      {"animated leaders have no standard",
       [](RulesFixture& f) {
         f.controls_.SetEnabled(Name(95), true);
         f.Click(95, true);
       },
       true},  // ... but bring the additional civilizations, which have one
  };
  for (const Case& test : cases) {
    test.change(*this);
    EXPECT_EQ(Enabled(kOtherStandardButton), test.enabled) << test.name;
    rules_.ButtonPressed(kOtherStandardButton);
    EXPECT_FALSE(Enabled(kOtherStandardButton)) << test.name;
  }
}

TEST_F(RulesTest, OtherPageButtonRestoresEveryStandardValue) {
  Click(1, true);
  Click(7, true);
  Click(86, true);
  Type(36, "5");
  Type(55, "20");
  rules_.ButtonPressed(kOtherStandardButton);
  for (int key : {1, 7, 57, 86}) EXPECT_FALSE(On(key)) << key;
  EXPECT_FALSE(Enabled(7));
  EXPECT_EQ(Text(36), "100");
  EXPECT_EQ(Text(55), "16");
  EXPECT_EQ(controls_.Position(Name(55)), 16);
}

TEST_F(RulesTest, LoadingScreensAndTheInterfaceButton) {
  Click(4, true);
  EXPECT_TRUE(Enabled(12));
  EXPECT_EQ(controls_.ItemIndex(Name(12)), 0);
  EXPECT_EQ(events_.screens, std::vector<int>{0});
  EXPECT_TRUE(Enabled(config::kDeleteLoadingScreenButton));
  EXPECT_TRUE(Enabled(kMmenuStandardButton));

  Click(4, false);
  controls_.SetItemIndex(Name(12), 2);
  Click(4, true);
  EXPECT_EQ(controls_.ItemIndex(Name(12)), 2);  // a selection is kept
  EXPECT_EQ(events_.screens.size(), 1u);

  controls_.AddList(Name(12), {"Dawn"});  // every other screen deleted
  rules_.RefreshLoadingScreenButton();
  EXPECT_FALSE(Enabled(config::kDeleteLoadingScreenButton));

  Click(96, true);
  rules_.ButtonPressed(kMmenuStandardButton);
  EXPECT_FALSE(On(4));
  EXPECT_FALSE(On(96));
  EXPECT_FALSE(Enabled(12));
  EXPECT_FALSE(Enabled(kMmenuStandardButton));
}

TEST_F(RulesTest, SpeedButton) {
  Click(118, false);
  EXPECT_TRUE(Enabled(kSpeedStandardButton));
  Click(118, true);
  EXPECT_FALSE(Enabled(kSpeedStandardButton));
  Click(124, true);
  EXPECT_TRUE(Enabled(kSpeedStandardButton));
  rules_.ButtonPressed(kSpeedStandardButton);
  EXPECT_FALSE(On(124));
  EXPECT_TRUE(On(118));
  EXPECT_FALSE(Enabled(kSpeedStandardButton));
}

TEST_F(RulesTest, LinesButton) {
  ClickLine(1, true);
  EXPECT_TRUE(Enabled(kLinesStandardButton));
  ClickLine(1, false);
  EXPECT_FALSE(Enabled(kLinesStandardButton));
  ClickLine(15, false);
  rules_.ButtonPressed(kLinesStandardButton);
  EXPECT_TRUE(controls_.IsItemChecked(config::kLinesList, 15));
  EXPECT_FALSE(Enabled(kLinesStandardButton));
}

TEST_F(RulesTest, DllComponentShowsThePageOfItsVariant) {
  Click(58, true);
  EXPECT_TRUE(Enabled(59));
  EXPECT_EQ(controls_.PageIndex(kDllPages), config::kDllModPage);
  controls_.SetItemIndex(Name(59), 1);
  rules_.DllVariantClicked();
  EXPECT_EQ(controls_.PageIndex(kDllPages), config::kRevDcmPage);
  Click(58, false);
  EXPECT_FALSE(Enabled(59));
  EXPECT_EQ(controls_.PageIndex(kDllPages), config::kDllDisabledPage);
  controls_.SetItemIndex(Name(59), 0);
  rules_.DllVariantClicked();
  EXPECT_EQ(controls_.PageIndex(kDllPages), config::kDllDisabledPage);
}

TEST_F(RulesTest, GameVersionDecidesTheDllComponent) {
  struct Case {
    const char* name;
    std::optional<std::string> version;
    int page;
    bool enabled;
  };
  const Case cases[] = {
      {"another version", "3.1.7.0.(128100)", config::kWrongGameVersionPage, false},
      {"no game executable", std::nullopt, config::kWrongGameVersionPage, false},
      {"the version again", "3.1.9.0.(128100)", config::kDllDisabledPage, true},
  };
  for (const Case& test : cases) {
    Click(58, Enabled(58));  // checked whenever it can be
    rules_.GameVersionCheck(test.version);
    EXPECT_EQ(controls_.PageIndex(kDllPages), test.page) << test.name;
    EXPECT_EQ(Enabled(58), test.enabled) << test.name;
    if (!test.enabled) {
      EXPECT_FALSE(On(58)) << test.name;
    }
  }
  // An allowed version leaves a chosen component alone.
  Click(58, true);
  rules_.GameVersionCheck("3.1.9.0.(128100)");
  EXPECT_TRUE(On(58));
  EXPECT_EQ(controls_.PageIndex(kDllPages), config::kDllModPage);
}

TEST_F(RulesTest, CivilizationCountNeedsTheAlternativeLibraries) {
  testing_support::TempFolder data;
  data.Write("DLL Components/RevolutionDCM/Alt_dll/CvGameCoreDLL_32.dll", "");
  EXPECT_FALSE(config::CivilizationLibrariesPresent(data.path()));
  data.Write("DLL Components/RevolutionDCM/Alt_dll/cvgamecoredll_22.dll", "");
  data.Write("DLL Components/RevolutionDCM/Alt_dll/CvGameCoreDLL_18.dll", "");
  EXPECT_TRUE(config::CivilizationLibrariesPresent(data.path()));

  controls_.SetItemIndex(Name(173), 2);
  rules_.DllPageEntered(true);
  EXPECT_TRUE(Enabled(173));
  EXPECT_EQ(controls_.ItemIndex(Name(173)), 2);
  rules_.DllPageEntered(false);
  EXPECT_FALSE(Enabled(173));
  EXPECT_EQ(controls_.ItemIndex(Name(173)), 0);
}

TEST_F(RulesTest, AFailingControlIsReportedAndTheRestOfTheCascadeGoesOn) {
  controls_.Break(Name(19));
  Click(17, true);
  ASSERT_FALSE(errors_.codes.empty());
  for (const std::string& code : errors_.codes) EXPECT_EQ(code, "01.024-01");
  errors_.codes.clear();
  controls_.Break("");
  EXPECT_TRUE(On(18));
  EXPECT_FALSE(On(20));
}

}  // namespace
}  // namespace config_test
