// Registration of this copy in the copy list that the package installer reads.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/copy_list.h"
#include "platform/registry_store.h"

namespace shell {

// Prunes the list of stale entries, then adds this copy unless a valid entry already names this
// executable, version and program (compared without ASCII case). Returns whether this copy was
// already registered.
bool RegisterCopy(platform::RegistryData& registry, const std::filesystem::path& executable,
                  std::string_view version, std::string_view program_name,
                  const platform::CopyListProbe& probe);

// The same on the registry store, under its lock; failures are reported, never thrown.
void RegisterForInstaller(platform::RegistryStore& store, const std::filesystem::path& executable,
                          std::string_view version, std::string_view program_name);

}  // namespace shell
