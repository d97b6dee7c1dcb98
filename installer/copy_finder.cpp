#include "installer/copy_finder.h"

#include <algorithm>

#include "installer/line_file.h"
#include "platform/file_io.h"
#include "platform/file_version.h"
#include "platform/paths.h"
#include "platform/process_list.h"
#include "platform/registry_store.h"
#include "platform/system_error.h"
#include "platform/text.h"

namespace installer {

std::vector<std::string> CompatibleCopies(
    const std::vector<platform::CopyListEntry>& entries, std::string_view program_name,
    const std::function<bool(const platform::CopyListEntry&)>& compatible) {
  std::vector<std::string> copies;
  for (const auto& entry : entries) {
    if (!platform::EqualsNoCase(entry.program_name, program_name)) continue;
    if (std::find(copies.begin(), copies.end(), entry.exe_path) != copies.end()) continue;
    if (compatible(entry)) copies.push_back(entry.exe_path);
  }
  return copies;
}

CopyFinder::CopyFinder(const PackDescription& pack, const PackFolder& folder,
                       fs::path registry_file)
    : pack_(pack), folder_(folder), registry_file_(std::move(registry_file)) {}

void CopyFinder::PruneCopyList() const {
  try {
    platform::RegistryStore store(registry_file_);
    store.Modify([](platform::RegistryData& registry) {
      platform::PruneCopyList(registry, platform::DiskProbe());
    });
  } catch (const platform::SystemError&) {
  }
}

std::vector<std::string> CopyFinder::FindCopies() const {
  std::vector<platform::CopyListEntry> entries;
  try {
    entries = platform::ReadCopyList(platform::RegistryStore(registry_file_).Read());
  } catch (const platform::SystemError&) {
    return {};
  }
  return CompatibleCopies(entries, pack_.program_name, [&](const platform::CopyListEntry& entry) {
    const fs::path executable = platform::PathFromAnsi(entry.exe_path);
    return IsCompatible(platform::FileVersionText(executable), executable);
  });
}

bool CopyFinder::IsCompatible(std::string_view file_version, const fs::path& executable) const {
  try {
    if (const auto versions = folder_.ReadLines("Versions.ini")) {
      for (const auto& line : *versions) {
        // An empty line names no version; it must not accept an executable without one.
        if (!line.empty() && platform::VersionsMatch(file_version, line)) return true;
      }
    }
    const fs::path program = executable.parent_path();
    const auto resolved = platform::ResolveInside(program, "Resource\\Packages.ini");
    // Not read where a link leads it out of the program folder.
    const auto packages = resolved ? platform::RealPathInside(program, *resolved) : std::nullopt;
    if (packages) {
      if (const auto lines = ReadLines(*packages)) return Contains(*lines, pack_.InstalledLine());
    }
  } catch (const ReadError&) {
  }
  return false;
}

std::optional<fs::path> CopyFinder::LocateProgramFolder(const fs::path& chosen) const {
  std::error_code ec;
  fs::path folder = fs::absolute(chosen, ec).lexically_normal();
  if (ec) return std::nullopt;
  if (!folder.has_filename()) folder = folder.parent_path();  // "/a/b/" as "/a/b"
  for (int level = 0; level <= kLevelsAbove; ++level) {
    if (platform::IsFile(pack_.Executable(folder))) return folder;
    if (folder == folder.parent_path()) break;
    folder = folder.parent_path();
  }
  return std::nullopt;
}

bool CopyFinder::IsProgramRunning(const fs::path& program_folder) const {
  // The process list names the file a process runs by its real path; the folder given may be
  // another name of it.
  const fs::path executable = pack_.Executable(program_folder);
  return platform::IsExecutableRunning(platform::RealPath(executable).value_or(executable));
}

}  // namespace installer
