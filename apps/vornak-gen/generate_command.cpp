#include "apps/vornak-gen/generate_command.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "errors/error_processor.h"
#include "generation/checks.h"
#include "generation/mod_folders.h"
#include "generation/pipeline.h"
#include "lang/interface_language.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/program_settings.h"
#include "shell/start_up.h"
#include "shell/system_services.h"
#include "ui/configurator/generation_session.h"
#include "ui/configurator/main_window.h"

namespace {

namespace fs = std::filesystem;

struct Options {
  std::string config;
  std::optional<std::string> data;
  std::optional<std::string> game;
  std::optional<std::string> settings;
  std::optional<std::string> name;
  generation::Target target = generation::Target::kGameFolder;
  std::string language = "Russian";
  std::optional<std::string> desktop;
  std::optional<std::string> program;
  bool shortcut = true;
  bool yes = false;
  bool dry_run = false;
};

constexpr char kUsage[] =
    "usage: vornak-gen generate --config FILE.vkm [--data DIR] [--game DIR]\n"
    "         [--settings DIR] [--name NAME] [--target game|settings]\n"
    "         [--lang LANGUAGE] [--desktop DIR] [--no-shortcut] [--program DIR]\n"
    "         [--yes] [--dry-run]\n"
    "Errors go to the error log of the program folder (or of the per-user folder when the\n"
    "program folder cannot be written); its path is printed when there are any.\n"
    "exit status: 0  the mod was generated (or, with --dry-run, would be) and no error was\n"
    "                reported\n"
    "             1  nothing generated: the checks stopped the run, the configuration could not\n"
    "                be read completely, the mod folder exists without --yes, or the run failed\n"
    "                (the previous mod is unchanged)\n"
    "             2  wrong arguments, no DATA folder, or --config is not a readable regular file\n"
    "                of at most 4 MiB\n"
    "             3  the mod was generated, but errors were reported (see the error log)\n";

int Usage() {
  std::cerr << kUsage;
  return 2;
}

// A configuration file is small; anything larger is not one.
constexpr uintmax_t kMaxConfigurationBytes = 4 * 1024 * 1024;

// Why `path` cannot be read as a configuration file, or nullopt. Decided on the file's status
// before anything opens it: a folder would read as an empty configuration, and a FIFO or a device
// would block the reading or never end it.
std::optional<std::string> ConfigurationFileProblem(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return "no configuration file";
  if (ec) return "the configuration file cannot be examined (" + ec.message() + "):";
  if (!fs::is_regular_file(status)) return "the configuration is not a regular file:";
  const uintmax_t size = fs::file_size(path, ec);
  if (ec || size > kMaxConfigurationBytes) {
    return "the configuration file is larger than 4 MiB, so it is no configuration file:";
  }
  return std::nullopt;
}

std::optional<Options> Parse(const std::vector<std::string_view>& args) {
  Options options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return std::string(args[++i]);
    };
    std::optional<std::string> v;
    if (arg == "--yes") {
      options.yes = true;
    } else if (arg == "--dry-run") {
      options.dry_run = true;
    } else if (arg == "--no-shortcut") {
      options.shortcut = false;
    } else if (!(v = value())) {
      return std::nullopt;
    } else if (arg == "--config") {
      options.config = *v;
    } else if (arg == "--data") {
      options.data = v;
    } else if (arg == "--game") {
      options.game = v;
    } else if (arg == "--settings") {
      options.settings = v;
    } else if (arg == "--name") {
      options.name = v;
    } else if (arg == "--target") {
      if (*v != "game" && *v != "settings") return std::nullopt;
      options.target =
          *v == "game" ? generation::Target::kGameFolder : generation::Target::kSettingsFolder;
    } else if (arg == "--lang") {
      options.language = *v;
    } else if (arg == "--desktop") {
      options.desktop = v;
    } else if (arg == "--program") {
      options.program = v;
    } else {
      return std::nullopt;
    }
  }
  if (options.config.empty()) return std::nullopt;
  return options;
}

// The mod was generated, but the run reported errors into the error log.
constexpr int kExitErrorsReported = 3;

std::string Utf8(std::string_view ansi) { return platform::Cp1251ToUtf8(ansi); }
std::string Ansi(const fs::path& path) { return platform::PathToAnsi(fs::absolute(path)); }

}  // namespace

int GenerateCommand(const std::vector<std::string_view>& args, const char* program_path) {
  if (args.size() == 1 && args[0] == "--help") {
    std::cout << kUsage;
    return 0;
  }
  const auto options = Parse(args);
  if (!options) return Usage();
  const fs::path config = fs::absolute(options->config);
  if (const auto problem = ConfigurationFileProblem(config)) {
    std::cerr << "vornak-gen: " << *problem << " " << config << "\n";
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Qt wants a runtime folder of its own even offscreen; a private one keeps it quiet.
  if (!std::getenv("XDG_RUNTIME_DIR")) {
    const fs::path runtime = platform::PrivateTempFolder() / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
  int argc = 1;
  char* argv[] = {const_cast<char*>(program_path), nullptr};
  QApplication app(argc, argv);
  platform::ScriptedDialogs dialogs(/*echo=*/true);
  platform::SetCurrentDialogs(&dialogs);
  lang::SetInterfaceLanguage(options->language);

  ui::MainWindowSetup setup;
  setup.paths = shell::DefaultStartUpPaths();
  setup.paths.program_folder =
      options->program ? fs::absolute(*options->program) : platform::ExecutablePath().parent_path();
  setup.paths.executable = setup.paths.program_folder / "Vornak.TQ";
  // Errors are logged where the window would log them, from the first one on.
  shell::SetUpLocationsAndErrorLog(setup.paths);
  // Every way out after this point says where the errors went; a run that reported any does not
  // end with success.
  const auto finish = [](int code) {
    platform::SetCurrentDialogs(nullptr);
    const int reported = errors::Processor().report_count();
    if (reported == 0) return code;
    const fs::path log = errors::Processor().LogPath();
    std::cerr << "vornak-gen: " << reported << " error(s) reported; "
              << (platform::IsFile(log) ? "the error log is "
                                        : "the error log could not be written: ")
              << log.string() << "\n";
    return code == 0 ? kExitErrorsReported : code;
  };
  setup.headless = true;
  if (options->data) setup.data_folder = fs::absolute(*options->data);
  ui::MainWindow window(std::move(setup));
  if (window.data_folder().empty()) {
    std::cerr << "vornak-gen: no DATA folder found; give one with --data\n";
    return finish(2);
  }

  shell::ProgramSettings& settings = shell::CurrentProgramSettings();
  settings = shell::ReadProgramSettings(window.program_folder() / "Settings" / "Vornak.ini",
                                        shell::DefaultGameLookup(), {});
  if (options->game) settings.game_folder = platform::WithTrailingSeparator(Ansi(*options->game));
  if (options->settings) settings.game_settings_folder = Ansi(*options->settings);
  if (!settings.game_folder.empty()) {
    settings.game_folder = platform::WithTrailingSeparator(settings.game_folder);
  }
  window.GameVersionCheck();

  if (!window.LoadConfigurationFrom(config)) {
    std::cerr << "vornak-gen: the configuration could not be read completely: " << config << "\n";
    return finish(1);
  }

  const generation::CheckResult checks = generation::CheckWarnings(ui::CheckInputsOf(window));
  if (checks.game_folder)
    settings.game_folder = platform::WithTrailingSeparator(*checks.game_folder);
  if (checks.game_settings_folder) settings.game_settings_folder = *checks.game_settings_folder;
  if (checks.warnings_page) {
    for (const auto& line : checks.memo) std::cout << Utf8(line) << "\n";
  }
  if (checks.blocking) {
    std::cerr << "vornak-gen: the settings have errors that stop the generation (above)\n";
    return finish(1);
  }

  ui::PrepareControlsForRun(window, checks.atomic_bombers);
  const std::string name = options->name ? platform::Utf8ToCp1251(*options->name)
                                         : generation::DefaultFolderName(window.TakeSnapshot());
  const fs::path desktop =
      options->desktop ? fs::absolute(*options->desktop) : shell::SpecialFolderPath(4);
  generation::GenerationInputs inputs =
      ui::GenerationInputsOf(window, name, options->target, 0, options->shortcut, desktop);
  inputs.dry_run = options->dry_run;
  if (const auto problem = generation::FolderNameProblem(name)) {
    std::cerr << "vornak-gen: " << Utf8(*problem) << "\n";
    return finish(1);
  }
  // The Mods folders stay locked from here to the end of the run.
  generation::RunPlan plan = generation::PrepareGeneration(inputs);
  if (plan.problem) {
    std::cerr << "vornak-gen: " << Utf8(*plan.problem) << "\n";
    return finish(1);
  }
  const generation::ModFolders folders = plan.folders;
  if (folders.exists && !options->yes && !options->dry_run) {
    std::cerr << "vornak-gen: the mod folder or its launcher exists and would be replaced:\n";
    for (const auto& folder : folders.replaced) std::cerr << "  " << folder.string() << "\n";
    if (!folders.launcher.empty()) std::cerr << "  " << folders.launcher.string() << "\n";
    std::cerr << "give --yes to replace it\n";
    return finish(1);
  }

  int shown_percent = -10;
  generation::RunLog log([&shown_percent](const generation::Progress& progress) {
    const int percent = progress.maximum > 0 ? progress.position * 100 / progress.maximum : 0;
    if (percent >= shown_percent + 10 || percent == 100) {
      shown_percent = percent;
      std::cout << "  " << percent << "%\n";
    }
  });
  std::cout << (options->dry_run ? "dry run: would generate " : "generating ") << Utf8(name)
            << " into " << folders.mod.string() << "\n";
  const generation::RunResult result = generation::RunGeneration(inputs, std::move(plan), log);

  const auto written = log.written();
  std::cout << (options->dry_run ? "would write " : "wrote ") << written.size() << " files:\n";
  for (const auto& file : written) std::cout << "  " << file.string() << "\n";
  for (const auto& row : log.skipped()) std::cout << "skipped row " << row << "\n";
  for (const auto& source : log.missing_sources()) {
    std::cout << "missing source: " << source.string() << "\n";
  }
  if (!result.succeeded) {
    std::cerr << "vornak-gen: the generation failed: " << Utf8(result.failure)
              << (result.previous_mod_unchanged ? "; the previous mod is unchanged" : "") << "\n";
    return finish(1);
  }
  std::cout << (options->dry_run ? "the mod would be in " : "the mod is in ")
            << folders.mod.string() << "\n";
  return finish(0);
}
