// The environment in which a test runs one of the real programs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// The test's own environment without the temporary-folder and display variables, with HOME, the
// XDG folders, the temporary folder and the registry store inside `home`, and Qt offscreen: as
// NAME=VALUE texts for execve. The folders are not created.
std::vector<std::string> PrivateHomeEnvironment(const std::filesystem::path& home);

}  // namespace testing_support
