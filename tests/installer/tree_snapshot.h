// What a folder holds, to show that a run changed nothing where it must not.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace installer_testing {

// Every entry below `folder` by relative path: a file's bytes, "<folder>" or "-> target" for a
// link (never followed).
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder);

// A pack description with the eight positions.
std::string PackIni(const std::string& component = "Sample Screens 1.0",
                    const std::string& version = "1.0.0", const std::string& kind = "Pack",
                    const std::string& parent = "DATA\\Components");

}  // namespace installer_testing
