// Copying one entry of a pack's payload to its place in the program folder.
#pragma once

#include <filesystem>

namespace installer {

namespace fs = std::filesystem;

// A file replaces the target; a folder is merged into the target with everything in it, files
// replacing files of the same name. Missing folders of the target are created. Every file is
// written beside its target and renamed over it, so a failed copy never leaves half a file.
// Symbolic links are not followed out of the pack: an entry that is one is not copied, and a
// folder holding one is copied without it. Nothing is written outside the real path of
// `confine_to`: a target, or a place in a target folder, that a link leads out of it is not
// written. True when everything was copied.
bool CopyEntry(const fs::path& source, const fs::path& target, const fs::path& confine_to);

}  // namespace installer
