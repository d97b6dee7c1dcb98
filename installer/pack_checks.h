// The checks before a pack is installed into a copy: the copy must not run, and the component's
// installed version records decide whether this version may go in.
#pragma once

#include <filesystem>
#include <functional>

#include "installer/installer_texts.h"
#include "installer/pack_description.h"
#include "platform/dialogs.h"

namespace installer {

namespace fs = std::filesystem;

enum class CheckResult { kGoOn, kStop };

// In this order: while `is_running()`, the running warning (OK looks again, Cancel stops); a
// component whose OldVersions.ini lists the pack version holds a newer version (stop); one whose
// Version.ini lists it is installed already (the overwrite question, Cancel stops).
CheckResult CheckBeforeInstall(const PackDescription& pack, const fs::path& program_folder,
                               const InstallerTexts& texts, platform::Dialogs& dialogs,
                               const std::function<bool()>& is_running);

}  // namespace installer
