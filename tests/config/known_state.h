// A main window in a known state whose file and report are kept as golden files beside the
// tests. The option controls are set by name from data/known_state_controls.txt (written from the
// option tables, not from the catalogue), so a key that reads the wrong control shows up in the
// golden comparison. Booleans alternate with the key's parity and every counter holds a value of
// its own, so two keys that trade places or sources also show.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/option_catalogue.h"
#include "platform/file_io.h"
#include "platform/text.h"
#include "tests/config/fake_controls.h"

namespace config_test {

inline std::string GoldenBytes(std::string_view name) {
  const auto bytes = platform::ReadFileBytes(std::filesystem::path(CONFIG_TEST_DATA) / name);
  EXPECT_TRUE(bytes) << name;
  return bytes.value_or("");
}

inline void SetKnownState(FakeControls& controls) {
  for (const std::string& line : platform::SplitLines(GoldenBytes("known_state_controls.txt"))) {
    if (line.empty()) continue;
    const size_t equals = line.find('=');
    const std::string name = line.substr(0, equals);
    const int value = std::stoi(line.substr(equals + 1));
    if (name.starts_with("UpDown")) {
      controls.SetPosition(name, value);
    } else if (name.starts_with("NTCListBox") || name.starts_with("NTCComboBox")) {
      controls.SetItemIndex(name, value);
    } else {
      controls.SetChecked(name, value != 0);
    }
  }
  // Headings (items 3 and 12) are checked too: a key that reads a heading shows.
  for (int item = 0; item < 16; ++item) {
    controls.SetItemChecked(
        config::kLinesList, item,
        item == 1 || item == 3 || item == 5 || item == 7 || item == 10 || item == 12 || item == 15);
  }
  controls.SetRowValue("ValueListEditor2", 2, platform::Ansi("Фрегат-2"));
  controls.SetRowValue("ValueListEditor3", 2, "Zeppelin");
  controls.SetRowValue("ValueListEditor1", 1, "Scout");
  controls.SetRowValue("ValueListEditor5", 1, "Lion");
}

}  // namespace config_test
