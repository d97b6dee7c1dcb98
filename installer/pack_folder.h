// The pack beside the installer: Source/ with the description, the about text, the version lists
// and the scripts, and Source/PACK/ with the files and folders the scripts name.
//
// Everything the installer reads of a pack goes through here, so that no line of a pack can make
// it read a file outside the pack: names are confined to their folder and resolved without ASCII
// case, and a path that passes through a symbolic link below Source/ is refused (a link could
// point anywhere on the disk).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace installer {

namespace fs = std::filesystem;

class PackFolder {
 public:
  explicit PackFolder(fs::path installer_folder);

  const fs::path& installer_folder() const { return installer_folder_; }
  const fs::path& source() const { return source_; }

  // Source/<name>; nullopt when the name is refused or the path passes through a link.
  std::optional<fs::path> SourceFile(std::string_view name) const;
  // Source/PACK/<line>, the same way.
  std::optional<fs::path> PayloadEntry(std::string_view line) const;

  // Source/<name> exists as a file.
  bool Has(std::string_view name) const;
  // The lines of Source/<name>, or nullopt when it is missing. Throws ReadError when it cannot be
  // read or is reached through a link: a refused file must not pass for a missing one.
  std::optional<std::vector<std::string>> ReadLines(std::string_view name) const;
  // The bytes of Source/<name>, or nullopt when it is missing. Throws ReadError, as ReadLines.
  std::optional<std::string> ReadBytes(std::string_view name) const;

 private:
  // Source/<name> to be read; throws ReadError when the name is refused or passes through a link.
  fs::path ReadableFile(std::string_view name) const;

  fs::path installer_folder_;
  fs::path source_;
};

// Some component of `path` below `base` is a symbolic link (`path` lies under `base`).
bool PassesThroughLink(const fs::path& base, const fs::path& path);

}  // namespace installer
