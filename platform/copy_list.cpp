#include "platform/copy_list.h"

#include "platform/file_io.h"
#include "platform/file_version.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace platform {

std::string CopyListEntryKey(uint32_t number) {
  return std::string(kCopyListKey) + "\\" + kCopyListEntryPrefix + std::to_string(number);
}

bool VersionsMatch(std::string_view reference, std::string_view other) {
  const size_t point = reference.find('.');
  size_t cut = std::string_view::npos;
  if (point == 1) cut = 5;
  if (point == 2) cut = 6;
  return reference.substr(0, cut) == other.substr(0, cut);
}

uint32_t CopyListCount(const RegistryData& registry) {
  const auto stored = registry.ReadDword(kCopyListKey, kCopyListCount);
  if (!stored) return 0;
  // Entries past the highest one present would all be removed as stale; stopping there gives the
  // same list without walking a count of four billion.
  uint32_t highest = 0;
  for (const auto& name : registry.SubKeyNames(kCopyListKey)) {
    if (!StartsWithNoCase(name, kCopyListEntryPrefix)) continue;
    const auto number = ParseInt64(std::string_view(name).substr(sizeof kCopyListEntryPrefix - 1));
    if (number && *number > 0 && *number <= UINT32_MAX) {
      highest = std::max(highest, static_cast<uint32_t>(*number));
    }
  }
  // A count stored as a negative 32-bit number reads as a huge one and is limited the same way.
  return std::min(*stored, highest);
}

CopyListEntry ReadCopyListEntry(const RegistryData& registry, uint32_t number) {
  const std::string key = CopyListEntryKey(number);
  return {registry.ReadString(key, "ExePatch").value_or(""),
          registry.ReadString(key, "Version").value_or(""),
          registry.ReadString(key, "ProgramName").value_or("")};
}

std::vector<CopyListEntry> ReadCopyList(const RegistryData& registry) {
  std::vector<CopyListEntry> entries;
  const uint32_t count = CopyListCount(registry);
  for (uint32_t i = 1; i <= count; ++i) entries.push_back(ReadCopyListEntry(registry, i));
  return entries;
}

CopyListProbe DiskProbe() {
  return {
      [](const CopyListEntry& entry) {
        return !entry.exe_path.empty() && IsFile(PathFromAnsi(entry.exe_path));
      },
      [](const CopyListEntry& entry) { return FileVersionText(PathFromAnsi(entry.exe_path)); },
  };
}

std::vector<CopyListEntry> PruneCopyList(RegistryData& registry, const CopyListProbe& probe) {
  std::vector<CopyListEntry> kept;
  if (!registry.KeyExists(kCopyListKey)) return kept;
  const uint32_t count = CopyListCount(registry);
  uint32_t removed = 0;
  for (uint32_t position = 1; position <= count; ++position) {
    const uint32_t number = position - removed;
    const CopyListEntry entry = ReadCopyListEntry(registry, number);
    const bool stale =
        !probe.executable_exists(entry) || !VersionsMatch(entry.version, probe.file_version(entry));
    if (stale) {
      registry.DeleteKey(CopyListEntryKey(number));
      for (uint32_t later = number + 1; later <= count - removed; ++later) {
        const CopyListEntry moved = ReadCopyListEntry(registry, later);
        const std::string lower = CopyListEntryKey(later - 1);
        registry.WriteString(lower, "ExePatch", moved.exe_path);
        registry.WriteString(lower, "Version", moved.version);
        registry.WriteString(lower, "ProgramName", moved.program_name);
        registry.DeleteKey(CopyListEntryKey(later));
      }
      ++removed;
    } else {
      kept.push_back(entry);
    }
    registry.WriteDword(kCopyListKey, kCopyListCount, count - removed);
    if (removed == count) {
      registry.DeleteKey(kCopyListKey);
      break;
    }
  }
  return kept;
}

}  // namespace platform
