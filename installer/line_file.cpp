#include "installer/line_file.h"

#include <algorithm>

#include "platform/file_io.h"
#include "platform/text.h"

namespace installer {

bool IsCommentLine(std::string_view line) {
  return line.starts_with("//") || line.starts_with("\\\\");
}

std::optional<std::vector<std::string>> ReadLines(const fs::path& path) {
  if (!platform::IsFile(path)) return std::nullopt;
  const auto bytes = platform::ReadFileBytes(path);
  if (!bytes) throw ReadError("cannot read " + path.string());
  return platform::SplitLines(*bytes);
}

bool Contains(const std::vector<std::string>& lines, std::string_view line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace installer
