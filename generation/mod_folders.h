// The folders of a mod: where it goes, the older copies a run replaces, and the staging folder in
// which a run builds the new mod before it takes the old one's place.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "generation/generation_inputs.h"

namespace generation {

// Why a folder name cannot name a mod folder, or nullopt when it can: it must be one plain folder
// name below Mods (not empty, not "." or "..", no separator or drive colon, no trailing dot or
// blank, not "Mods" itself).
std::optional<std::string> FolderNameProblem(std::string_view folder_name);

// The folder name the window proposes: "Vornak.TQ 1.5.0", or the Evolution / Revolution variant
// when the DLL component is on.
std::string DefaultFolderName(const config::OptionSnapshot& options);

struct ModFolders {
  fs::path mod;            // the folder the new mod goes to
  fs::path game_copy;      // <game>/Mods/<name>
  fs::path settings_copy;  // <game settings>/Mods/<name>
  // The copies a run deletes: the game folder's copy when it exists, and the settings folder's
  // copy when it has an Assets folder or is the target.
  std::vector<fs::path> replaced;
  // A mod of that name exists: the question before a run names the copies it replaces.
  bool exists = false;
};

ModFolders LocateModFolders(const GenerationInputs& inputs);

// A fresh, empty staging folder beside `mod` (same file system, so the swap is a rename).
fs::path MakeStagingFolder(const fs::path& mod);

}  // namespace generation
