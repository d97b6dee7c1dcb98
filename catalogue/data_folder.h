// The data folder: the DATA folder that holds the model library, the base XML files and
// everything else the generator copies. It is looked for beside the executable, in the
// executable folder's parent and in the parent's parent; the farthest one that exists wins, so a
// shared DATA folder above several program copies is preferred to one beside a single copy.
#pragma once

#include <filesystem>

namespace catalogue {

namespace fs = std::filesystem;

// The DATA folder (any letter case) found from the executable's folder, or an empty path when
// there is none.
fs::path FindDataFolder(const fs::path& executable_folder);

// The process's data folder, set once at start-up from FindDataFolder.
const fs::path& DataFolder();
void SetDataFolder(fs::path folder);

}  // namespace catalogue
