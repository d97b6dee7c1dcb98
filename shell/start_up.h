// The shell's part of starting and closing the configurator: the steps every run performs before
// the main window takes input, and the clean-up when it closes. The steps that need a window
// (the one-copy check, the language packs, the unsupported-system window) are hooks the caller
// gives.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/system_info.h"

namespace shell {

namespace fs = std::filesystem;

// The checking program that does the network work of the update checks.
inline constexpr char kCheckingProgramFile[] = "DuviRoradUD2";
inline constexpr char kCheckingProgramVersion[] = "2.3.0.0";

// The packs this version already contains; the package installer reads them from
// Resource/Packages.ini.
extern const std::vector<std::string> kContainedPackages;

struct ShellState {
  bool include_modules_ready = false;
  bool system_not_supported = false;
  uint64_t start_tick = 0;
  std::string minimum_system_name = "98";
  // Resource/Packages.ini was written: the installer can tell which packs this copy contains.
  bool packages_listed = false;
};

struct StartUpHooks {
  std::function<void()> one_copy_check;
  std::function<void()> initialise_languages;
  // Shown when the system is too old; `state` tells the minimum system's name.
  std::function<void(const ShellState& state)> unsupported_system;
};

struct StartUpPaths {
  fs::path program_folder;
  fs::path executable;
  fs::path per_user_folder;  // <AppData>/Vornak.TQ
  fs::path temp_folder;      // the program's private temporary folder
};

// Where a normal run keeps its files: the executable's folder, the application-data folder of the
// registry store or XDG, the private temporary folder.
StartUpPaths DefaultStartUpPaths();

// Whether `folder` is a program folder of this version of the configurator: it holds the
// configurator's executable, whose file version is the one this version carries (by the test the
// installer's copy list applies to a registered copy). Only such a folder may be started up: the
// start-up writes into it and registers it for the installer.
bool IsProgramFolder(const fs::path& folder);

// Runs the shell start-up in its fixed order and returns the shell state. Also points the error
// processor at the error log of the data locations.
ShellState RunShellStartUp(const StartUpPaths& paths, const StartUpHooks& hooks,
                           const platform::OsVersion& system);

// What a run without the start-up (a headless command) needs of it: the data locations decided
// as the start-up decides them (the program folder, or the per-user folder when the program
// folder cannot be written) and the error processor pointed at the error log there. Nothing else
// of the start-up runs: no counters, no registration.
void SetUpLocationsAndErrorLog(const StartUpPaths& paths);

// The shell's close steps: the run's work time into the counters, the scratch files gone.
void RunShellClose(const StartUpPaths& paths, const ShellState& state);

// The process's shell state.
ShellState& CurrentShellState();

}  // namespace shell
