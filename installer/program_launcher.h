// Starting the configurator when the installer ends, detached from the installer's process.
#pragma once

#include <filesystem>

namespace installer {

// Starts the executable in its own folder, in a session of its own, without waiting for it.
// False when it could not be started.
bool LaunchProgram(const std::filesystem::path& executable);

}  // namespace installer
