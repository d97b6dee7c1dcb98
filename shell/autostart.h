// The configurator keeps no autostart entry: the values named after the program under the Run
// keys of the registry store are removed whenever the main window is first shown, the settings
// window closes and the program ends.
#pragma once

#include "platform/registry_store.h"

namespace shell {

inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

void RemoveAutostartEntries(platform::RegistryStore& store);
void RemoveAutostartEntries();  // the default store

}  // namespace shell
