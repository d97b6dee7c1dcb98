// Packrane.TQ, the package installer: installs the pack in the Source folder beside it into a
// copy of the configurator, with its window or, with --silent, unattended.
#include <QApplication>
#include <QStringList>
#include <algorithm>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "installer/silent_run.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/registry_store.h"
#include "platform/version_note.h"
#include "ui/installer/run_window.h"

OSTREL_FILE_VERSION_NOTE("1.0.0.0");

namespace {

int Usage(const installer::CommandLine& command_line) {
  std::cerr << command_line.error << "\n" << installer::UsageText();
  return installer::kExitUsage;
}

installer::SessionOptions DefaultOptions() {
  installer::SessionOptions options;
  options.installer_folder = platform::ExecutablePath().parent_path();
  options.registry_file = platform::RegistryStore::DefaultLocation();
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (std::find(args.begin(), args.end(), "--silent") != args.end()) {
    const installer::CommandLine command_line = installer::ParseCommandLine(args);
    if (command_line.mode == installer::CommandLine::Mode::kUsage) return Usage(command_line);
    platform::ScriptedDialogs dialogs(/*echo=*/true);
    return installer::RunSilent(command_line, DefaultOptions(), dialogs, std::cout);
  }

  // The window takes no arguments of its own; Qt's own (-platform ...) are Qt's.
  QApplication application(argc, argv);
  std::vector<std::string> rest;
  for (const QString& arg : application.arguments().mid(1)) rest.push_back(arg.toStdString());
  const installer::CommandLine command_line =
      installer::ParseCommandLine(std::vector<std::string_view>(rest.begin(), rest.end()));
  if (command_line.mode == installer::CommandLine::Mode::kUsage) return Usage(command_line);
  return installer_ui::RunWindowInstaller(DefaultOptions());
}
