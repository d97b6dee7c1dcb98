// The pack description, Source/Pack.ini: eight positions, one per line that is not a comment
// (an empty line takes a position too).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "installer/pack_folder.h"

namespace installer {

namespace fs = std::filesystem;

struct PackDescription {
  std::string title;            // the window's caption and header
  std::string program_name;     // as the target's copies register themselves and messages name it
  std::string executable_name;  // the target program's executable file, a bare file name
  std::string window_class;     // the class of its main window (not needed to see it run here)
  std::string component_name;   // the component folder's name
  std::string version;          // the pack version
  std::string parent_folder;    // the folder the component folder lies in, below the program's
  std::string kind;             // "New": the pack keeps no version record

  bool KeepsVersionRecord() const { return kind != "New"; }
  // Its line in Resource/InstallComponents.ini and Resource/Packages.ini.
  std::string InstalledLine() const { return component_name + "/" + version; }
  // <program folder>/<parent folder>/<component name>; an empty name leaves out its level.
  fs::path ComponentFolder(const fs::path& program_folder) const;
  fs::path Executable(const fs::path& program_folder) const;
};

enum class PackDescriptionError {
  kNone,
  kMissing,     // no Source/Pack.ini, or it cannot be read
  kShort,       // fewer than the six positions the installer cannot do without
  kUnsafePath,  // the executable or a folder name is empty or leaves the program folder
};

struct PackDescriptionResult {
  std::optional<PackDescription> pack;
  PackDescriptionError error = PackDescriptionError::kNone;
  int line = 0;  // the position at fault, for kUnsafePath
};

PackDescriptionResult ParsePackDescription(std::string_view bytes);
PackDescriptionResult ReadPackDescription(const PackFolder& folder);

// What the user is told when the description cannot be used (English: no language is chosen
// when the description is read).
std::string PackDescriptionErrorText(const PackDescriptionResult& result);

}  // namespace installer
