// Finding the copies of the configurator a pack can be installed into: the registry's copy list,
// pruned of stale entries, filtered by program name and by the versions the pack supports; the
// upward search from a folder the user points to; and whether a copy runs.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "installer/pack_description.h"
#include "installer/pack_folder.h"
#include "platform/copy_list.h"

namespace installer {

namespace fs = std::filesystem;

// The executable paths of the entries for `program_name` (compared without ASCII case) that
// `compatible` accepts, in list order, each path once.
std::vector<std::string> CompatibleCopies(
    const std::vector<platform::CopyListEntry>& entries, std::string_view program_name,
    const std::function<bool(const platform::CopyListEntry&)>& compatible);

// How many folders LocateProgramFolder looks at above the chosen one.
inline constexpr int kLevelsAbove = 4;

class CopyFinder {
 public:
  CopyFinder(const PackDescription& pack, const PackFolder& folder, fs::path registry_file);

  // Removes the stale entries of the copy list; a store that cannot be read or written is left
  // as it is (the list belongs to the configurator's copies, and they prune it too).
  void PruneCopyList() const;

  // The compatible copies of the pack's program that the copy list names, as executable paths.
  std::vector<std::string> FindCopies() const;

  // The pack supports this executable: one of the lines of Source/Versions.ini matches its file
  // version (reference: the file version), or its program folder's Resource/Packages.ini lists
  // the pack's component folder name and version joined by a slash.
  bool IsCompatible(std::string_view file_version, const fs::path& executable) const;

  // The chosen folder or the nearest of its four ancestors that holds the pack's executable.
  std::optional<fs::path> LocateProgramFolder(const fs::path& chosen) const;

  // Some process runs <program folder>/<executable name>, however the folder or the file is
  // reached (compared as real paths).
  bool IsProgramRunning(const fs::path& program_folder) const;

 private:
  const PackDescription& pack_;
  const PackFolder& folder_;
  fs::path registry_file_;
};

}  // namespace installer
