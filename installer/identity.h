// Who the installer is: its name and the version text its window shows.
#pragma once

namespace installer {

inline constexpr char kInstallerName[] = "Packrane.TQ";
inline constexpr char kInstallerVersion[] = "1.0.0.lang";

}  // namespace installer
