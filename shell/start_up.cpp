#include "shell/start_up.h"

#include "errors/error_processor.h"
#include "errors/guard.h"
#include "platform/clock.h"
#include "platform/copy_list.h"
#include "platform/file_io.h"
#include "platform/file_version.h"
#include "platform/folders.h"
#include "platform/registry_store.h"
#include "platform/text.h"
#include "shell/data_locations.h"
#include "shell/installer_registration.h"
#include "shell/program_identity.h"
#include "shell/settings_service.h"
#include "shell/system_services.h"
#include "shell/usage_counters.h"

namespace shell {

const std::vector<std::string> kContainedPackages = {
    "Static Leaders 1.0/1.0.0",
    "Static religions 1.0/1.0.0",
    "Static wonders 1.0/1.0.0",
    "Music Main Menu 1.0/1.0.0",
    "Add LoadingScreens 1.0/1.0.0",
    "Animated Leaders/1.0.0",
    "Add LoadingScreens 2 1.0/1.0.0",
    "Add LoadingScreens 3 1.0/1.0.0",
    "Add LoadingScreens WW2 1.0/1.0.0",
    "Add LoadingScreens WW2 Air 1.0/1.0.0",
    "Add LoadingScreens WW2 Force 1.0/1.0.0",
    "Add LoadingScreens WW2 Navy 1.0/1.0.0",
};

namespace {

void PointErrorProcessorAtLocations() {
  errors::Environment env = errors::Processor().environment();
  env.program_name = std::string(kProgramName);
  env.program_version = std::string(kProgramVersion);
  env.short_version = std::string(kShortVersion);
  env.log_folder = [] { return Locations().DataRootItem("ErrorLog"); };
  env.diagnostic_dump = [] { return Settings().DiagnosticDump() + Locations().DiagnosticLines(); };
  errors::Processor().set_environment(std::move(env));
}

}  // namespace

StartUpPaths DefaultStartUpPaths() {
  StartUpPaths paths;
  paths.executable = platform::ExecutablePath();
  paths.program_folder = paths.executable.parent_path();
  paths.per_user_folder = SpecialFolderPath(0) / std::string(kProgramName);
  paths.temp_folder = platform::PrivateTempFolder();
  return paths;
}

bool IsProgramFolder(const fs::path& folder) {
  const fs::path executable = folder / std::string(kProgramName);
  return platform::IsFile(executable) &&
         platform::VersionsMatch(kProgramVersion, platform::FileVersionText(executable));
}

void SetUpLocationsAndErrorLog(const StartUpPaths& paths) {
  Locations() = DataLocations(paths.program_folder, paths.per_user_folder, paths.temp_folder);
  Locations().SetUp();
  PointErrorProcessorAtLocations();
}

ShellState& CurrentShellState() {
  static ShellState state;
  return state;
}

ShellState RunShellStartUp(const StartUpPaths& paths, const StartUpHooks& hooks,
                           const platform::OsVersion& system) {
  ShellState state;
  errors::Guarded("UIF.007-01", [&] {
    state.minimum_system_name = "2000";
    if (!CheckSystem(kMinimumSystemMarker, system)) {
      state.system_not_supported = true;
      errors::Processor().set_disabled(true);
      if (hooks.unsupported_system) hooks.unsupported_system(state);
      return;
    }
    SetUpLocationsAndErrorLog(paths);

    const fs::path counters = Locations().CountersFolder();
    UpdateCounter(counters, "LCounter", "1", 1, CounterMode::kAdd, false);
    UpdateCounter(counters, "TNCounter", "0", 0, CounterMode::kFold, false);
    platform::RemoveFileQuietly(paths.per_user_folder / "TCounter.ini");
    platform::RemoveFileQuietly(paths.program_folder / "Resource" / "TCounter.ini");

    const fs::path checker = paths.program_folder / "Resource" / kCheckingProgramFile;
    if (platform::IsFile(checker) &&
        platform::FileVersionText(checker) != kCheckingProgramVersion) {
      platform::RemoveFileQuietly(checker);
    }

    if (hooks.one_copy_check) hooks.one_copy_check();
    platform::RegistryStore store(platform::RegistryStore::DefaultLocation());
    RegisterForInstaller(store, paths.executable, kProgramVersion, kProgramName);

    state.start_tick = platform::TickCount();
    errors::Processor().set_start_tick(state.start_tick);
    if (hooks.initialise_languages) hooks.initialise_languages();
    state.include_modules_ready = true;

    std::string packages;
    for (const auto& line : kContainedPackages) packages += line + "\r\n";
    platform::WriteFileAtomic(paths.program_folder / "Resource" / "Packages.ini", packages);
    state.packages_listed = true;
  });
  return state;
}

void RunShellClose(const StartUpPaths& paths, const ShellState& state) {
  errors::Guarded("UIF.008-01", [&] {
    if (state.system_not_supported) return;
    const uint64_t elapsed = platform::TickCount() - state.start_tick;
    UpdateCounter(Locations().CountersFolder(), "TNCounter", "0", static_cast<int64_t>(elapsed),
                  CounterMode::kAdd, true);
    platform::RemoveFileQuietly(paths.temp_folder / "Temp.mht");
    errors::Processor().CleanUpTemporaryFiles(paths.program_folder);
    platform::RemoveFileQuietly(paths.program_folder / "Settings" / "UARSettings.ini");
  });
}

}  // namespace shell
