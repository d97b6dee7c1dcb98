// Running one of the real programs from a test, in a home of the test's own.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// The test's own environment without the temporary-folder and display variables, with HOME, the
// XDG folders, the temporary folder and the registry store inside `home`, and Qt offscreen: as
// NAME=VALUE texts for execve. The folders are not created.
std::vector<std::string> PrivateHomeEnvironment(const std::filesystem::path& home);

// Starts `program` with `args` in that environment, its standard output and error going to the
// file `output` (created or emptied). Returns its process id; the caller waits for it.
pid_t StartInPrivateHome(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& home, const std::filesystem::path& output);

}  // namespace testing_support
