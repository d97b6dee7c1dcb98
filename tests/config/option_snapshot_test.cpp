#include "config/option_snapshot.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/config/rules_fixture.h"

namespace config_test {
namespace {

using config::CheckBoxState;
using config::OptionSnapshot;
using config::TakeSnapshot;

using OptionSnapshotTest = RulesFixture;

TEST_F(OptionSnapshotTest, CheckBoxesByName) {
  Click(19, true);                                // 20, 148, 149 follow
  controls_.SetChecked(Name(7), true);            // checked but disabled
  controls_.Add("CheckBox500", Kind::kCheckBox);  // a control outside the catalogue
  controls_.SetChecked("CheckBox500", true);
  constexpr std::string_view kExtra[] = {"CheckBox500", "NoSuchControl"};
  const OptionSnapshot snapshot = TakeSnapshot(controls_, "Russian", kExtra);

  EXPECT_EQ(snapshot.CheckBox("CheckBox12"), CheckBoxState::kOn);
  EXPECT_EQ(snapshot.CheckBox("checkbox116"), CheckBoxState::kOn);
  EXPECT_EQ(snapshot.CheckBox("CheckBox9"), CheckBoxState::kOff);
  EXPECT_EQ(snapshot.CheckBox("CheckBox4"), CheckBoxState::kOff);
  EXPECT_TRUE(snapshot.Checked(7));  // the numbered option is read as the control holds it
  EXPECT_FALSE(snapshot.Option(7)->enabled);
  EXPECT_EQ(snapshot.CheckBox("CheckBox68"), CheckBoxState::kOff);  // a fixed level: disabled
  EXPECT_EQ(snapshot.CheckBox("CheckBox500"), CheckBoxState::kOn);
  for (const char* other : {"UpDown3", "NTCEdit2", "NTCListBox1", "Button4", "CheckListBox1",
                            "ValueListEditor2", "PageControl2"}) {
    EXPECT_EQ(snapshot.CheckBox(other), CheckBoxState::kNotCheckBox) << other;
  }
  EXPECT_EQ(snapshot.CheckBox("NoSuchControl"), CheckBoxState::kAbsent);
  EXPECT_EQ(snapshot.CheckBox("CheckBox999"), CheckBoxState::kAbsent);
}

TEST_F(OptionSnapshotTest, OptionsGridsListsAndLanguage) {
  Type(2, "80");
  Click(58, true);
  controls_.SetItemIndex(Name(59), 1);
  Click(4, true);
  controls_.SetItemIndex(Name(12), 1);
  controls_.SetRowValue("ValueListEditor3", 2, "Airship");
  ClickLine(1, true);
  const OptionSnapshot snapshot = TakeSnapshot(controls_, "Russkii");

  EXPECT_EQ(snapshot.Value(2), 80);
  EXPECT_TRUE(snapshot.DllComponentOn());
  EXPECT_TRUE(snapshot.RevolutionDcm());
  EXPECT_FALSE(snapshot.EvolutionOfWar());
  EXPECT_EQ(snapshot.Value(12), 1);
  EXPECT_EQ(snapshot.SelectedText("NTCListBox1"), "Harbour");
  EXPECT_EQ(snapshot.List("NTCComboBox5")->items.size(), 4u);
  EXPECT_EQ(snapshot.GridValue("ValueListEditor3", "air_zeppelin"), "Airship");
  ASSERT_EQ(snapshot.Grid("ValueListEditor3").size(), 2u);
  EXPECT_EQ(snapshot.Grid("ValueListEditor3")[0].identifier, "Air_Gunship");
  EXPECT_FALSE(snapshot.GridValue("ValueListEditor3", "Air_Nothing"));
  EXPECT_TRUE(snapshot.LineItem(1));
  EXPECT_TRUE(snapshot.LineItem(2));
  EXPECT_FALSE(snapshot.LineItem(0));  // a heading
  EXPECT_TRUE(snapshot.IsRussian());
  EXPECT_FALSE(TakeSnapshot(controls_, "russian").IsRussian());
}

TEST_F(OptionSnapshotTest, BuiltInitialStateMatchesTheInitialWindow) {
  const OptionSnapshot taken = TakeSnapshot(controls_, "English");
  const OptionSnapshot built = OptionSnapshot::Builder::InitialState().Language("English").Build();
  for (const config::OptionInfo& option : config::Options()) {
    ASSERT_TRUE(built.Option(option.key)) << option.key;
    EXPECT_EQ(built.Option(option.key)->value, taken.Option(option.key)->value) << option.key;
    EXPECT_EQ(built.Option(option.key)->enabled, taken.Option(option.key)->enabled) << option.key;
    EXPECT_EQ(built.CheckBox(option.control), taken.CheckBox(option.control)) << option.key;
  }
  for (const config::LineItemInfo& item : config::LineItems()) {
    EXPECT_EQ(built.LineItem(item.item), taken.LineItem(item.item)) << item.item;
  }
  EXPECT_EQ(built.List("NTCListBox3")->items, taken.List("NTCListBox3")->items);
  EXPECT_TRUE(built.EvolutionOfWar());
}

TEST(OptionSnapshotBuilderTest, NumberedOptionsAndTheirControlsAgree) {
  const OptionSnapshot snapshot = OptionSnapshot::Builder()
                                      .Option(58, 1)
                                      .Option(19, 1, false)
                                      .List("NTCListBox3", 0, {"EoW", "RevDCM"})
                                      .External("Pack_Option1", "3")
                                      .Build();
  EXPECT_EQ(snapshot.CheckBox("CheckBox36"), CheckBoxState::kOn);
  EXPECT_EQ(snapshot.CheckBox("CheckBox12"), CheckBoxState::kOff);
  EXPECT_TRUE(snapshot.Checked(19));
  EXPECT_EQ(snapshot.Value(59), 0);
  EXPECT_TRUE(snapshot.EvolutionOfWar());
  EXPECT_EQ(snapshot.SelectedText("NTCListBox3"), "EoW");
  EXPECT_EQ(snapshot.external().at("Pack_Option1").value, "3");
  EXPECT_FALSE(snapshot.Option(2));
  EXPECT_FALSE(snapshot.RevolutionDcm());
}

}  // namespace
}  // namespace config_test
