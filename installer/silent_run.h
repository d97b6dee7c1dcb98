// The installer's command line and its unattended run.
//
//   Packrane.TQ                      the window
//   Packrane.TQ --silent [--target PROGRAM_FOLDER] [--language NAME]
//
// The unattended run takes the same steps as the window without showing one: the given program
// folder or the only compatible copy of the copy list (several copies need --target), every
// question answered with its safe choice by the dialogs it is given (no overwrite of an installed
// version, no start of the program); it prints every step and the result.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "installer/session.h"
#include "platform/dialogs.h"

namespace installer {

namespace fs = std::filesystem;

struct CommandLine {
  enum class Mode { kWindow, kSilent, kUsage };
  Mode mode = Mode::kWindow;
  std::optional<fs::path> target;
  std::optional<std::string> language;  // ANSI
  std::string error;                    // for kUsage
};

CommandLine ParseCommandLine(const std::vector<std::string_view>& args);
std::string UsageText();

// Exit codes of the program.
inline constexpr int kExitInstalled = 0;
inline constexpr int kExitNotInstalled = 1;
inline constexpr int kExitUsage = 2;

// Runs the unattended install; returns the exit code (0 only when the pack was installed).
int RunSilent(const CommandLine& command_line, SessionOptions options, platform::Dialogs& dialogs,
              std::ostream& out);

}  // namespace installer
