// The list of installed copies of the configurator in the registry store: every copy records
// itself there at each start, and the package installer reads it to find where to install.
//
//   HKEY_CURRENT_USER\Software\Ostrel\AutoInstallPatch
//     AutoInstallPatchCount = N (DWORD)
//     AutoInstallPatch1 ... AutoInstallPatch<N>: ExePatch, Version, ProgramName (texts)
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"

namespace platform {

inline constexpr char kCopyListKey[] = "HKEY_CURRENT_USER\\Software\\Ostrel\\AutoInstallPatch";
inline constexpr char kCopyListCount[] = "AutoInstallPatchCount";
inline constexpr char kCopyListEntryPrefix[] = "AutoInstallPatch";

struct CopyListEntry {
  std::string exe_path;  // ANSI, as stored
  std::string version;
  std::string program_name;
};

std::string CopyListEntryKey(uint32_t number);

// Version texts match when they agree on the part the reference's first point allows: with the
// point as the 2nd character both are cut to 5 characters ("1.5.0"), as the 3rd to 6, otherwise
// compared whole; case-sensitive.
bool VersionsMatch(std::string_view reference, std::string_view other);

// The stored count, limited to what the list can really hold: a corrupt count (negative, or far
// beyond the highest numbered entry present) cannot make a walk over the list run away.
uint32_t CopyListCount(const RegistryData& registry);

CopyListEntry ReadCopyListEntry(const RegistryData& registry, uint32_t number);
std::vector<CopyListEntry> ReadCopyList(const RegistryData& registry);

// How the pruning sees the disk; tests give their own.
struct CopyListProbe {
  std::function<bool(const CopyListEntry&)> executable_exists;
  std::function<std::string(const CopyListEntry&)> file_version;
};
CopyListProbe DiskProbe();

// Removes the entries whose executable is gone or carries another version than the one recorded
// (reference: the recorded version); later entries move down so the numbers stay without gaps.
// The count is written after each entry; a list left empty is deleted. Returns the entries kept,
// in order.
std::vector<CopyListEntry> PruneCopyList(RegistryData& registry, const CopyListProbe& probe);

}  // namespace platform
