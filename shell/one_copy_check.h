// The check at start-up whether another copy of the configurator runs. Every version holds a
// named mutex "Vornak.TQ <version>" for its life, and later versions also hold "Vornak.TQ"; a
// mutex that exists while another main window of the program is open is a conflict. A conflict
// never stops the start: only a newer version's copy is worth a warning.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/named_mutex.h"

namespace shell {

struct OneCopyEnvironment {
  // Creates a named mutex (platform::NamedMutex::Create by default).
  std::function<platform::NamedMutex(const std::string& name)> create_mutex;
  // Another main window of the program is open (the window scan).
  std::function<bool()> other_window_exists;
  // Shows the newer-version warning.
  std::function<void()> warn_newer_version;
  // The pause after each probe of an earlier version (100 ms).
  std::chrono::milliseconds pause{100};
  // The first command-line argument is "/errorrelaunch" (any case): no scan.
  bool error_relaunch = false;
};

struct OneCopyResult {
  bool no_conflict = true;
  // The handles that stay open for the life of the process.
  std::vector<platform::NamedMutex> held;
};

OneCopyResult CheckOneCopyLaunch(const OneCopyEnvironment& environment);

// "/errorrelaunch" compared without ASCII case.
bool IsErrorRelaunch(const std::vector<std::string>& arguments);

// The warning text: the built-in Russian one, or its translation from the language pack chosen in
// <program folder>/Settings/ULangSettings.ini (UOCL_Language.txt, message 1).
std::string NewerVersionMessage(const std::filesystem::path& program_folder);

}  // namespace shell
