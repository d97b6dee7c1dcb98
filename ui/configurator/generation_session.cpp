#include "ui/configurator/generation_session.h"

#include <QLabel>

#include "catalogue/data_folder.h"
#include "config/configuration_file.h"
#include "generation/run_preparation.h"
#include "lang/interface_language.h"
#include "shell/program_settings.h"
#include "ui/configurator/ansi.h"

namespace ui {

generation::CheckInputs CheckInputsOf(MainWindow& window) {
  generation::CheckInputs inputs;
  WindowControls& controls = window.option_controls();
  inputs.options = window.TakeSnapshot();
  inputs.data_folder = window.data_folder();
  const shell::ProgramSettings& settings = shell::CurrentProgramSettings();
  inputs.game_folder = settings.game_folder;
  inputs.game_settings_folder = settings.game_settings_folder;
  // A page is at its standard state while its standard-values button is disabled.
  inputs.lines_standard = !controls.IsEnabled("Button7");
  inputs.other_standard = !controls.IsEnabled("Button4");
  inputs.interface_standard = !controls.IsEnabled("Button2");
  inputs.speeds_standard = !controls.IsEnabled("Button5");
  inputs.external_off = true;  // no external component has options yet
  return inputs;
}

void PrepareControlsForRun(MainWindow& window, bool atomic_bombers_found) {
  generation::PrepareControlsForRun(window.option_controls(), atomic_bombers_found);
}

generation::GenerationInputs GenerationInputsOf(MainWindow& window, const std::string& folder_name,
                                                generation::Target target, int icon,
                                                bool make_shortcut,
                                                const std::filesystem::path& desktop_folder) {
  generation::GenerationInputs inputs;
  inputs.data_folder = window.data_folder();
  const shell::ProgramSettings& settings = shell::CurrentProgramSettings();
  inputs.game_folder = settings.game_folder;
  inputs.game_settings_folder = settings.game_settings_folder;
  inputs.folder_name = folder_name;
  inputs.target = target;
  inputs.options = window.TakeSnapshot();
  inputs.icon = icon;
  inputs.make_shortcut = make_shortcut;
  inputs.desktop_folder = desktop_folder;
  inputs.configuration_text = config::ConfigurationText(window.option_controls());
  return inputs;
}

generation::CheckTexts CheckTextsOf(const ControlRegistry& labels) {
  generation::CheckTexts texts = generation::CheckTexts::BuiltIn();
  const auto caption = [&labels](const char* name, std::string& text) {
    if (const auto* label = labels.FindAs<QLabel>(name)) text = ToAnsi(label->text());
  };
  const auto hint = [&labels](const char* name, std::string& text) {
    if (const auto* label = labels.FindAs<QLabel>(name)) text = ToAnsi(label->toolTip());
  };
  caption("MSG1", texts.game_folder_wrong);
  hint("MSG1", texts.settings_folder_wrong);
  caption("MSG5", texts.files_missing);
  hint("MSG5", texts.nothing_chosen);
  hint("MSG9", texts.speeds);
  caption("MSG6", texts.privateer_line);
  hint("MSG6", texts.destroyer_line);
  caption("MSG4", texts.vtol_aircraft);
  hint("MSG4", texts.vtol_carriers);
  caption("MSG8", texts.atomic_bombers);
  return texts;
}

}  // namespace ui
