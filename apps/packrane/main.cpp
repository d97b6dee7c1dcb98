// Packrane.TQ, the package installer: installs the pack in the Source folder beside it into a
// copy of the configurator, with its window or, with --silent, unattended.
#include <QApplication>
#include <iostream>
#include <string_view>
#include <vector>

#include "installer/silent_run.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/registry_store.h"
#include "platform/version_note.h"
#include "ui/installer/run_window.h"

OSTREL_FILE_VERSION_NOTE("1.0.0.0");

int main(int argc, char** argv) {
  const installer::CommandLine command_line =
      installer::ParseCommandLine(std::vector<std::string_view>(argv + 1, argv + argc));
  if (command_line.mode == installer::CommandLine::Mode::kUsage) {
    std::cerr << command_line.error << "\n" << installer::UsageText();
    return installer::kExitUsage;
  }
  installer::SessionOptions options;
  options.installer_folder = platform::ExecutablePath().parent_path();
  options.registry_file = platform::RegistryStore::DefaultLocation();

  if (command_line.mode == installer::CommandLine::Mode::kSilent) {
    platform::ScriptedDialogs dialogs(/*echo=*/true);
    return installer::RunSilent(command_line, std::move(options), dialogs, std::cout);
  }
  QApplication application(argc, argv);
  return installer_ui::RunWindowInstaller(std::move(options));
}
