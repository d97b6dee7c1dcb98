// A main window of fake controls brought to its initial state by the rules, with helpers that act
// as the user does: the widget takes the change first, then the UI calls the rule.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/option_catalogue.h"
#include "config/option_rules.h"
#include "platform/text.h"
#include "tests/config/error_spy.h"
#include "tests/config/fake_controls.h"

namespace config_test {

class RecordingEvents : public config::WindowEvents {
 public:
  void LoadingScreenSelected(int index) override { screens.push_back(index); }
  void RefreshGridDescription(std::string_view grid) override { refreshed.emplace_back(grid); }
  void ConfigurationRead() override { ++reads; }

  std::vector<int> screens;
  std::vector<std::string> refreshed;
  int reads = 0;
};

class RulesFixture : public ::testing::Test {
 public:
  RulesFixture() : controls_(MainWindowControls()), rules_(controls_, &events_) {
    rules_.InitialiseControls();
  }
  // Unexpected errors fail the test; a test that expects some clears them after checking.
  ~RulesFixture() override { EXPECT_TRUE(errors_.codes.empty()) << errors_.codes.front(); }

  static std::string_view Name(int key) { return config::FindOption(key)->control; }
  static std::string_view Edit(int key) { return config::FindOption(key)->counter.edit; }

  bool On(int key) const { return controls_.IsChecked(Name(key)); }
  bool Enabled(int key) const { return controls_.IsEnabled(Name(key)); }
  bool Enabled(std::string_view name) const { return controls_.IsEnabled(name); }
  std::string Text(int key) const { return controls_.Text(Edit(key)); }

  // The user sets a box to `checked` (a click that toggles it).
  void Click(int key, bool checked) {
    controls_.SetChecked(Name(key), checked);
    rules_.CheckBoxClicked(Name(key));
  }
  // The user types into a counter; its widget keeps the position on the typed number.
  void Type(int key, const std::string& text) {
    controls_.SetText(Edit(key), text);
    if (const auto value = platform::ParseInt64(text)) {
      controls_.SetPosition(Name(key), static_cast<int>(*value));
    }
    rules_.CounterChanged();
  }
  void ClickLine(int item, bool checked) {
    controls_.SetItemChecked(config::kLinesList, item, checked);
    rules_.LinesClicked();
  }

  ErrorSpy errors_;
  RecordingEvents events_;
  FakeControls controls_;
  config::OptionRules rules_;
};

}  // namespace config_test
