// What every window test of the configurator starts from: a temporary folder with the program
// folder, the registry store, the runtime and temporary folders inside it, scripted message boxes,
// and a main window made on that program folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/dialogs.h"
#include "tests/support/temp_folder.h"
#include "ui/configurator/main_window.h"

namespace ui {

class WindowFixture : public ::testing::Test {
 protected:
  WindowFixture() { platform::SetCurrentDialogs(&dialogs_); }
  ~WindowFixture() override { platform::SetCurrentDialogs(nullptr); }

  // The sample data as the program folder's DATA.
  void CopySampleData() {
    std::filesystem::remove_all(root_ / "Program/DATA");
    std::filesystem::create_directories(root_ / "Program");
    std::filesystem::copy(VORNAK_SAMPLE_DATA, root_ / "Program/DATA",
                          std::filesystem::copy_options::recursive);
  }

  std::unique_ptr<MainWindow> MakeWindow() {
    MainWindowSetup setup;
    setup.paths.program_folder = root_ / "Program";
    setup.paths.executable = root_ / "Program/Vornak.TQ";
    setup.paths.per_user_folder = root_ / "AppData/Vornak.TQ";
    setup.paths.temp_folder = root_ / "tmp";
    setup.system = {10, 0, 0};
    setup.probe_pause_ms = 0;
    return std::make_unique<MainWindow>(std::move(setup));
  }

  testing_support::TempFolder root_;
  testing_support::ScopedEnv registry_{"OSTREL_REGISTRY", (root_ / "Registry.txt").c_str()};
  testing_support::ScopedEnv runtime_{"XDG_RUNTIME_DIR", root_.path().c_str()};
  testing_support::ScopedEnv temp_{"TEMP", root_.path().c_str()};
  platform::ScriptedDialogs dialogs_;
};

}  // namespace ui
