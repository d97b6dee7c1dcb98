#include "installer/pack_checks.h"

#include "installer/line_file.h"
#include "installer/messages.h"
#include "platform/paths.h"

namespace installer {
namespace {

// The version file of the installed component lists the pack version. A file that a link leads
// out of the program folder is not read.
bool Lists(const fs::path& program_folder, const fs::path& component_folder, std::string_view file,
           std::string_view version) {
  const auto resolved = platform::ResolveInside(component_folder, file);
  const auto path = resolved ? platform::RealPathInside(program_folder, *resolved) : std::nullopt;
  if (!path) return false;
  try {
    const auto lines = ReadLines(*path);
    return lines && Contains(*lines, version);
  } catch (const ReadError&) {
    return false;
  }
}

}  // namespace

CheckResult CheckBeforeInstall(const PackDescription& pack, const fs::path& program_folder,
                               const InstallerTexts& texts, platform::Dialogs& dialogs,
                               const std::function<bool()>& is_running) {
  while (is_running()) {
    if (ShowBox(dialogs, texts.RunningWarning(pack.program_name), texts.WarningCaption(), "warning",
                platform::kMbOkCancel) != platform::kIdOk) {
      return CheckResult::kStop;
    }
  }
  const fs::path component = pack.ComponentFolder(program_folder);
  if (Lists(program_folder, component, "OldVersions.ini", pack.version)) {
    ShowBox(dialogs, texts.NewerInstalled(), texts.WarningCaption(), "warning");
    return CheckResult::kStop;
  }
  if (Lists(program_folder, component, "Version.ini", pack.version) &&
      ShowBox(dialogs, texts.OverwriteQuestion(), texts.WarningCaption(), "quest",
              platform::kMbOkCancel) != platform::kIdOk) {
    return CheckResult::kStop;
  }
  return CheckResult::kGoOn;
}

}  // namespace installer
