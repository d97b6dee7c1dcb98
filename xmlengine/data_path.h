// Files that data names. A path text that comes from a data file, a table or a component
// ("XML\Next War\", "CIV4UnitInfos") is never used as it is: it is joined to a folder the program
// chose itself and resolved with platform::ResolveInsideRealPath, so that it is matched without
// ASCII case and can never lead outside that folder, not even through a symbolic link in it.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace xmlengine {

namespace fs = std::filesystem;

// A folder the program chose (the data folder, the mod's Assets folder, a component's folder) and
// a path text from data relative to it, in the ANSI code page with '\' or '/' separators. The
// designed concatenations ("mod root + sub-folder + \ + name") become `relative` texts.
struct DataPath {
  fs::path root;
  std::string relative;  // empty: the root itself
};

// The relative text refused by confinement (absolute, a drive letter, climbing above the root, a
// link on the way that leads out of the root).
class PathRefused : public std::runtime_error {
 public:
  explicit PathRefused(const std::string& what) : std::runtime_error(what) {}
};

// Joins path texts with one '\' between them, as the designed concatenations do, without doubling
// separators that a part already brings.
std::string JoinPath(std::string_view first, std::string_view second);

// The file-system path of a data path: the root when the relative text is empty (or only
// separators), else platform::ResolveInsideRealPath of it. Leading separators are dropped first,
// since the designed sub-folders begin with one ("\XML\Units"). Throws PathRefused.
fs::path Resolve(const DataPath& path);

// Resolve(root, relative) of a relative text joined to the data path's own.
fs::path Resolve(const DataPath& folder, std::string_view name);

}  // namespace xmlengine
