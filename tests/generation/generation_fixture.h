// What the generation tests start from: a temporary folder with a game folder, a game settings
// folder, a desktop and a copy of the sample data, and the inputs of a run on them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "generation/generation_inputs.h"
#include "generation/run_lock.h"
#include "platform/file_io.h"
#include "tests/support/temp_folder.h"

namespace generation {

// Every file and folder below a folder, files with their bytes (long ones by size and hash, to
// keep a failure's report readable). The run lock's file is left out:
// it stays in the Mods folder and holds the last run's pid.
inline std::map<std::string, std::string> Tree(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> tree;
  if (!fs::exists(folder)) return tree;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().filename() == kRunLockFileName) continue;
    const std::string relative = entry.path().lexically_relative(folder).string();
    if (entry.is_symlink()) {
      tree[relative] = "-> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_directory()) {
      tree[relative] = "<folder>";
    } else {
      const std::string bytes = platform::ReadFileBytes(entry.path()).value_or("?");
      tree[relative] = bytes.size() <= 64 ? bytes
                                          : std::to_string(bytes.size()) + " bytes #" +
                                                std::to_string(std::hash<std::string>{}(bytes));
    }
  }
  return tree;
}

// The names in a folder, the run lock's file included.
inline std::set<std::string> Entries(const std::filesystem::path& folder) {
  std::set<std::string> names;
  if (!std::filesystem::exists(folder)) return names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

class GenerationFixture : public ::testing::Test {
 protected:
  GenerationFixture() {
    root_.Write("Game/Civ4BeyondSword.exe", "MZ");
    root_.Write("Settings/CivilizationIV.ini", "");
    std::filesystem::create_directories(root_ / "Desktop");
    std::filesystem::copy(VORNAK_SAMPLE_DATA, root_ / "DATA",
                          std::filesystem::copy_options::recursive);
  }
  GenerationInputs Inputs(config::OptionSnapshot::Builder builder,
                          const std::string& name = "My Mod") {
    GenerationInputs inputs;
    inputs.data_folder = root_ / "DATA";
    inputs.game_folder = (root_ / "Game").string() + "/";
    inputs.game_settings_folder = (root_ / "Settings").string();
    inputs.folder_name = name;
    inputs.options = builder.Build();
    inputs.desktop_folder = root_ / "Desktop";
    inputs.configuration_text = "[Main]\r\nFile=<Vornak Config File>\r\n";
    inputs.icon = 2;
    return inputs;
  }
  GenerationInputs Inputs() { return Inputs(OneFlag()); }
  static config::OptionSnapshot::Builder OneFlag() {
    auto builder = config::OptionSnapshot::Builder::InitialState();
    builder.GridRow("ValueListEditor5", "RUSSIA", "Imperial");
    return builder;
  }
  testing_support::TempFolder root_;
  testing_support::ScopedEnv temp_{"TEMP", root_.path().c_str()};
};

}  // namespace generation
