#include "shell/autostart.h"

#include <string>

#include "errors/guard.h"
#include "shell/program_identity.h"

namespace shell {

void RemoveAutostartEntries(platform::RegistryStore& store) {
  errors::Guarded("UIF.015-02", [&] {
    store.Modify([](platform::RegistryData& registry) {
      for (const auto root : {platform::kHkeyLocalMachine, platform::kHkeyCurrentUser}) {
        registry.DeleteValue(platform::RegistryKey(root, kRunKey), kProgramName);
      }
    });
  });
}

void RemoveAutostartEntries() {
  platform::RegistryStore store(platform::RegistryStore::DefaultLocation());
  RemoveAutostartEntries(store);
}

}  // namespace shell
