#include "xmlengine/data_path.h"

#include "platform/paths.h"
#include "platform/text.h"

namespace xmlengine {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string JoinPath(std::string_view first, std::string_view second) {
  if (first.empty()) return std::string(second);
  if (second.empty()) return std::string(first);
  std::string joined(first);
  if (!IsSeparator(joined.back())) joined += '\\';
  size_t skip = 0;
  while (skip < second.size() && IsSeparator(second[skip])) ++skip;
  joined.append(second.substr(skip));
  return joined;
}

fs::path Resolve(const DataPath& path) {
  std::string_view relative = path.relative;
  while (!relative.empty() && IsSeparator(relative.front())) relative.remove_prefix(1);
  bool only_separators = true;
  for (char c : relative) {
    if (!IsSeparator(c)) only_separators = false;
  }
  if (only_separators) return path.root;
  const auto resolved = platform::ResolveInsideRealPath(path.root, relative);
  if (!resolved) {
    throw PathRefused("the path \"" + platform::Cp1251ToUtf8(path.relative) +
                      "\" from data does not stay inside " + path.root.string());
  }
  return *resolved;
}

fs::path Resolve(const DataPath& folder, std::string_view name) {
  return Resolve(DataPath{folder.root, JoinPath(folder.relative, name)});
}

}  // namespace xmlengine
