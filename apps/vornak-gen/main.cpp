// vornak-gen: the configurator's work without a window, for scripts and pack authors.
//
//   vornak-gen startup [--program DIR]
//       runs the start-up of the configurator installed in DIR (default: the folder of this
//       program) and prints what it did: the data locations, the counters, the copy list.
//       Refuses (exit 1, nothing written) a folder without the configurator of this version;
//       exits 1 too when the package list could not be written.
//
//   vornak-gen generate --config FILE.vkm [--data DIR] [--game DIR] [--settings DIR] ...
//       generates a mod from a configuration file without a display (generate_command.cpp).
//
//   vornak-gen message close|front
//       sends a running configurator's main window the message another copy would: close (as the
//       user's "Выход") or come to the front. Exits 1 when no configurator window runs.
//
//   vornak-gen patch [--key-kind K] [--checked NAME[,NAME...]] [--value N] [--dry-run]
//                    PATCH.ini TARGET.xml
//       applies one patch file to one XML file in place (apps/vornak-gen/patch_command.h).
#include <malloc.h>

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "apps/vornak-gen/patch_command.h"
#include "apps/vornak-gen/qt_front.h"
#include "platform/copy_list.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "platform/text.h"
#include "platform/window_sockets.h"
#include "shell/data_locations.h"
#include "shell/program_identity.h"
#include "shell/start_up.h"
#include "shell/usage_counters.h"

namespace {

int Usage() {
  std::cerr << "usage: vornak-gen startup [--program DIR]\n"
               "       vornak-gen message close|front\n"
               "       vornak-gen generate --config FILE.vkm [options] (generate --help)\n"
            << vornak_gen::kPatchUsage;
  return 2;
}

int Message(const std::vector<std::string_view>& args) {
  if (args.size() != 1 || (args[0] != "close" && args[0] != "front")) return Usage();
  const int message = platform::kWmUser + (args[0] == "close" ? 1 : 3);
  int sent = 0;
  for (const auto& window : platform::FindWindows("TFormVKMain")) {
    if (platform::SendWindowMessage(window, message)) ++sent;
  }
  std::cout << "sent to " << sent << " configurator window(s)\n";
  return sent > 0 ? 0 : 1;
}

int StartUp(const std::vector<std::string_view>& args) {
  std::filesystem::path program_folder = platform::ExecutablePath().parent_path();
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--program" && i + 1 < args.size()) {
      program_folder = std::filesystem::absolute(std::string(args[++i]));
    } else {
      return Usage();
    }
  }
  // Decided before anything is touched: the start-up writes into the program folder and
  // registers it for the installer, which must not list a copy that is not there.
  if (!shell::IsProgramFolder(program_folder)) {
    std::cerr << "vornak-gen: " << program_folder.string() << " is not a program folder of "
              << shell::kProgramName << " " << shell::kProgramVersion << " (it holds no "
              << shell::kProgramName << " of file version " << shell::kFileVersion
              << "); nothing was written\n";
    return 1;
  }
  shell::StartUpPaths paths = shell::DefaultStartUpPaths();
  paths.program_folder = program_folder;
  paths.executable = paths.program_folder / std::string(shell::kProgramName);

  platform::ScriptedDialogs dialogs(/*echo=*/true);
  platform::SetCurrentDialogs(&dialogs);
  const shell::ShellState state =
      shell::RunShellStartUp(paths, {}, platform::CompatibleSystemVersion());
  if (state.system_not_supported) {
    std::cout << "The system is not supported (needs Windows " << state.minimum_system_name
              << " or later).\n";
    return 1;
  }
  const shell::DataLocations& locations = shell::Locations();
  std::cout << shell::kProgramName << " " << shell::kProgramVersion << " started headless\n"
            << "  program folder:  " << locations.program_folder().string() << "\n"
            << "  per-user folder: " << locations.per_user_folder().string()
            << (locations.use_app_data() ? " (in force)" : " (not in force)") << "\n"
            << "  settings folder: " << locations.SettingsFolder().string() << "\n"
            << "  error log:       " << (locations.DataRootItem("ErrorLog") / "Error.Log").string()
            << "\n";
  const auto counters = locations.CountersFolder();
  std::cout << "  launches:        " << shell::ReadCounter(counters / "LCounter.ini").value_or(0)
            << "\n"
            << "  work time:       " << shell::ReadCounter(counters / "TNCounter.ini").value_or(0)
            << " ms\n";
  const platform::RegistryStore store(platform::RegistryStore::DefaultLocation());
  std::cout << "  copy list in " << store.file().string() << ":\n";
  for (const auto& entry : platform::ReadCopyList(store.Read())) {
    std::cout << "    " << platform::Cp1251ToUtf8(entry.program_name) << " "
              << platform::Cp1251ToUtf8(entry.version) << " at "
              << platform::Cp1251ToUtf8(entry.exe_path) << "\n";
  }
  std::cout << "  packages listed in " << (paths.program_folder / "Resource/Packages.ini").string()
            << ": ";
  if (state.packages_listed) {
    std::cout << shell::kContainedPackages.size() << "\n";
  } else {
    std::cout << "not written (the error log tells why)\n";
  }
  shell::RunShellClose(paths, state);
  platform::SetCurrentDialogs(nullptr);
  return state.packages_listed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // A command runs once on a file or two: the memory freed by one step (a whole file read, the
  // lines of a document) is taken again by the next. Kept in the heap instead of returned to the
  // system, it is not faulted in afresh, which on a file of the game's size costs more than the
  // work itself.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  if (args[0] == "startup") return StartUp({args.begin() + 1, args.end()});
  if (args[0] == "message") return Message({args.begin() + 1, args.end()});
  if (args[0] == "generate") return vornak_gen::RunQtProgram(argv);
  if (args[0] == "patch") {
    return vornak_gen::RunPatchCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
  }
  return Usage();
}
