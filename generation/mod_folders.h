// The folders of a mod: where it goes, the older copies a run replaces, the staging folder in
// which a run builds the new mod, and the swap that puts the new mod in the old one's place.
//
// Names beside a mod that runs use, and what the next run does with those an interrupted run
// left (under the run lock, see run_lock.h):
//   .<name>.new-XXXXXX  a staging folder, or after the exchange the old mod: deleted
//   .<name>.old-XXXXXX  a copy set aside before the swap: put back when no mod stands at <name>,
//                       deleted otherwise
//   .<name>.del-XXXXXX  an old copy being deleted: deleted
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "generation/generation_inputs.h"
#include "platform/system_error.h"

namespace generation {

// Why a folder name cannot name a mod folder, or nullopt when it can: it must be one plain folder
// name below Mods (not empty, not "." or "..", no separator or drive colon, no trailing dot or
// blank, not "Mods" itself).
std::optional<std::string> FolderNameProblem(std::string_view folder_name);

// The folder name the window proposes: "Vornak.TQ 1.5.0", or the Evolution / Revolution variant
// when the DLL component is on.
std::string DefaultFolderName(const config::OptionSnapshot& options);

struct ModFolders {
  fs::path mod;            // the folder the new mod goes to
  fs::path game_copy;      // <game>/Mods/<name>
  fs::path settings_copy;  // <game settings>/Mods/<name>
  // The copies a run deletes: the game folder's copy when it exists, and the settings folder's
  // copy when it has an Assets folder or is the target. One folder reached by both names (the
  // settings folder is the game folder, or a link to it) is listed once, as the target.
  std::vector<fs::path> replaced;
  // The desktop launcher of the mod's name that the run replaces: set when one exists and the
  // shortcut is chosen.
  fs::path launcher;
  // A mod or a launcher of that name exists: the question before a run names what it replaces.
  bool exists = false;
};

ModFolders LocateModFolders(const GenerationInputs& inputs);

// The desktop launcher a run makes for the mod.
fs::path LauncherFile(const GenerationInputs& inputs);

// A fresh, empty staging folder beside `mod` (same file system, so the swap is a rename), made
// with the mode the user's umask gives a new folder, since it becomes the mod's top folder.
fs::path MakeStagingFolder(const fs::path& mod);

// Removes what interrupted runs of the mod `name` left in `mods_folder` (see the names above):
// an old copy set aside comes back when no mod stands at the name (the newest one, should there
// be several), everything else is deleted. Throws when a copy that should come back cannot.
void CleanUpInterruptedRuns(const fs::path& mods_folder, const fs::path& name);

// A swap that failed, with whether everything set aside went back to its place. It carries the
// error number of the failing call for the error report.
class ModSwapError : public platform::SystemError {
 public:
  ModSwapError(const std::string& what, bool put_back, int error_number)
      : platform::SystemError(what, error_number), put_back_(put_back) {}
  bool put_back() const { return put_back_; }

 private:
  bool put_back_;
};

// Puts the complete new mod in `staging` at `folders.mod`. The replaced copies other than the
// target step aside first (renamed beside themselves); then the new mod and the old target
// change places in one exchange, or, on a file system without one, the old target steps aside
// and the new mod is renamed in. Returns the folders that now hold the old copies. On a failure
// everything that stepped aside is put back and ModSwapError is thrown.
std::vector<fs::path> SwapIn(const fs::path& staging, const ModFolders& folders);

// Deletes the old copies of `mod` that SwapIn returned, calling `after_each` after each. A copy is
// renamed as one being deleted first, so that a deletion cut short is never taken for a copy to put
// back. Failures are reported and the rest goes on.
void DiscardOldCopies(const fs::path& mod, const std::vector<fs::path>& old_copies,
                      const std::function<void()>& after_each);

// Hooks for tests of interrupted runs. `after_step` runs after every step that changes a Mods
// folder (a test kills the process there); `exchange_unavailable` makes the swap take the path of
// a file system without a folder exchange.
struct SwapTestHooks {
  std::function<void()> after_step;
  bool exchange_unavailable = false;
};
SwapTestHooks& TestHooks();

}  // namespace generation
