// The install procedure: deletions, the uninstall list, the copies into the program folder and
// into the component folder, then the version records.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "installer/pack_description.h"
#include "installer/pack_folder.h"

namespace installer {

namespace fs = std::filesystem;

struct ProgressStep {
  int done = 0;   // steps done so far; 0 for the announcement before the first
  int total = 0;  // lines of the copy, absolute-copy and delete scripts, plus the add script's
                  // lines or 1 for a complete uninstall list
  std::string description;  // what the step did, for a log of the run
};
using ProgressSink = std::function<void(const ProgressStep&)>;

// Installs the pack into the program folder and tells `progress` about every step. Returns true
// when every step succeeded. A file of the pack that cannot be read or is a link fails the install
// before anything changes. A listed source missing from Source/PACK is skipped; a path that
// leaves the program folder or the pack (decided on real paths: a link inside the program folder
// may lead only to another place inside it), a copy or a write that fails, or a file that cannot
// be deleted makes the result false while the remaining steps still run. The version records
// are written only when everything before them succeeded, and all of them or none.
bool InstallPack(const PackDescription& pack, const PackFolder& folder,
                 const fs::path& program_folder, const ProgressSink& progress);

}  // namespace installer
