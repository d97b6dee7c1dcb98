// What the generation window and the headless generator both do with the main window before a
// run: the inputs of the checks, the controls' preparation, and the run's inputs from the option
// state.
#pragma once

#include <string>

#include "generation/checks.h"
#include "generation/generation_inputs.h"
#include "ui/configurator/main_window.h"

namespace ui {

// The checks' view of the main window and the program settings.
generation::CheckInputs CheckInputsOf(MainWindow& window);

// Before a run, on the main window's controls (generation/run_preparation.h).
void PrepareControlsForRun(MainWindow& window, bool atomic_bombers_found);

// The run's inputs: the option state as it stands now, and the window's choices.
generation::GenerationInputs GenerationInputsOf(MainWindow& window, const std::string& folder_name,
                                                generation::Target target, int icon,
                                                bool make_shortcut,
                                                const std::filesystem::path& desktop_folder);

// The texts of the generation window's hidden labels MSG1 to MSG9 for the checks.
generation::CheckTexts CheckTextsOf(const ControlRegistry& labels);

}  // namespace ui
