// Copying and deleting files and folders, as every stage of the programs does them.
#pragma once

#include <filesystem>
#include <string_view>

namespace shell {

namespace fs = std::filesystem;

// Copies `source` to target_folder/target_name, creating the folder with its parents. With
// `no_overwrite` an existing target stays as it is. An empty target name copies a source folder
// into the target folder whole. The copy is written beside the target and renamed, so a failed
// copy never leaves half a file. False (and a report) on failure.
bool CopyFileTo(const fs::path& source, const fs::path& target_folder, std::string_view target_name,
                bool no_overwrite);

// Copies every file and subfolder of `source` into `target`; with `no_overwrite`, files that
// already exist in the target are kept (folders are merged).
bool CopyFolder(const fs::path& source, const fs::path& target, bool no_overwrite);

// Deletes the folder with everything in it, read-only files included. Refuses an empty path, a
// relative path and a root; a symbolic link inside is removed as a link, never followed.
bool DeleteFolder(const fs::path& folder);

}  // namespace shell
