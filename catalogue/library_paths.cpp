#include "catalogue/library_paths.h"

#include <algorithm>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace catalogue {

fs::path LibraryPath(const fs::path& folder, std::string_view ansi_relative) {
  // Without a data folder the library paths lead nowhere; resolving against "" would search the
  // current folder instead.
  if (folder.empty()) return {};
  return platform::ResolveInside(folder, ansi_relative).value_or(fs::path());
}

bool HasFile(const fs::path& folder, std::string_view ansi_relative) {
  const fs::path path = LibraryPath(folder, ansi_relative);
  return !path.empty() && platform::IsFile(path);
}

bool HasFolder(const fs::path& folder, std::string_view ansi_relative) {
  const fs::path path = LibraryPath(folder, ansi_relative);
  return !path.empty() && platform::IsDirectory(path);
}

bool IsSingleName(std::string_view ansi_name) {
  if (ansi_name.empty() || ansi_name == "." || ansi_name == "..") return false;
  return ansi_name.find_first_of("\\/:") == std::string_view::npos &&
         ansi_name.find('\0') == std::string_view::npos;
}

std::string AnsiName(const fs::path& name) { return platform::Utf8ToCp1251(name.string()); }

std::vector<std::string> SubfolderNames(const fs::path& folder) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    std::error_code type_ec;
    if (!it->is_directory(type_ec)) continue;
    const std::string utf8 = it->path().filename().string();
    std::string ansi = platform::Utf8ToCp1251(utf8);
    // A "\" or ":" that Linux allows in a name would be read as a path in the data.
    if (platform::Cp1251ToUtf8(ansi) != utf8 || !IsSingleName(ansi)) continue;
    names.push_back(std::move(ansi));
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return platform::LessNoCase(a, b); });
  return names;
}

}  // namespace catalogue
