#include "shell/installer_registration.h"

#include "errors/guard.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace shell {

bool RegisterCopy(platform::RegistryData& registry, const std::filesystem::path& executable,
                  std::string_view version, std::string_view program_name,
                  const platform::CopyListProbe& probe) {
  const std::string exe = platform::PathToAnsi(executable);
  bool registered = false;
  errors::Guarded("UP.001-02", [&] {
    for (const auto& entry : platform::PruneCopyList(registry, probe)) {
      registered = registered || (platform::EqualsNoCase(entry.exe_path, exe) &&
                                  platform::EqualsNoCase(entry.version, version) &&
                                  platform::EqualsNoCase(entry.program_name, program_name));
    }
  });
  if (registered) return true;
  errors::Guarded("UP.001-03", [&] {
    // The count as the list can hold it, so a corrupt value cannot number the entry wildly.
    const uint32_t number = platform::CopyListCount(registry) + 1;
    registry.WriteDword(platform::kCopyListKey, platform::kCopyListCount, number);
    const std::string key = platform::CopyListEntryKey(number);
    registry.WriteString(key, "ExePatch", exe);
    registry.WriteString(key, "Version", version);
    registry.WriteString(key, "ProgramName", program_name);
  });
  return false;
}

void RegisterForInstaller(platform::RegistryStore& store, const std::filesystem::path& executable,
                          std::string_view version, std::string_view program_name) {
  errors::Guarded("UP.001-03", [&] {
    store.Modify([&](platform::RegistryData& registry) {
      RegisterCopy(registry, executable, version, program_name, platform::DiskProbe());
    });
  });
}

}  // namespace shell
