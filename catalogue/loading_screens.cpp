#include "catalogue/loading_screens.h"

#include <algorithm>
#include <optional>
#include <set>

#include "catalogue/library_paths.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace catalogue {
namespace {

struct FileName {
  fs::path path;
  std::string ansi;
};

// The regular files of the folder whose names have an ANSI spelling.
std::vector<FileName> FilesOf(const fs::path& folder) {
  std::vector<FileName> files;
  if (folder.empty()) return files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    std::error_code type_ec;
    if (!it->is_regular_file(type_ec)) continue;
    const std::string utf8 = it->path().filename().string();
    std::string ansi = platform::Utf8ToCp1251(utf8);
    if (platform::Cp1251ToUtf8(ansi) != utf8 || !IsSingleName(ansi)) continue;
    files.push_back({it->path(), std::move(ansi)});
  }
  return files;
}

// The base name when `name` ends in `extension` (ASCII case ignored) and has one.
std::optional<std::string> BaseWith(std::string_view name, std::string_view extension) {
  if (name.size() <= extension.size() || !platform::EndsWithNoCase(name, extension)) {
    return std::nullopt;
  }
  return std::string(name.substr(0, name.size() - extension.size()));
}

}  // namespace

fs::path LoadingScreensFolder(const fs::path& data_folder) {
  return LibraryPath(data_folder, "Interface\\LoadingScreens");
}

std::vector<std::string> ScanLoadingScreens(const fs::path& data_folder) {
  const std::vector<FileName> files = FilesOf(LoadingScreensFolder(data_folder));
  std::set<std::string> previews;  // base names, ASCII lower case
  for (const FileName& file : files) {
    if (auto base = BaseWith(file.ansi, ".jpg")) previews.insert(platform::AsciiLower(*base));
  }
  std::vector<std::string> entries;
  for (const FileName& file : files) {
    auto base = BaseWith(file.ansi, ".dds");
    if (base && previews.count(platform::AsciiLower(*base))) entries.push_back(std::move(*base));
  }
  std::sort(entries.begin(), entries.end(),
            [](const std::string& a, const std::string& b) { return platform::LessNoCase(a, b); });
  // "a.dds" and "A.DDS" beside each other are one screen.
  entries.erase(std::unique(entries.begin(), entries.end(),
                            [](const std::string& a, const std::string& b) {
                              return platform::EqualsNoCase(a, b);
                            }),
                entries.end());
  return entries;
}

fs::path LoadingScreenPreview(const fs::path& data_folder, std::string_view name) {
  if (!IsSingleName(name)) return {};
  return LibraryPath(LoadingScreensFolder(data_folder), std::string(name) + ".JPG");
}

std::vector<fs::path> LoadingScreenFiles(const fs::path& data_folder, std::string_view name) {
  std::vector<fs::path> result;
  if (!IsSingleName(name)) return result;
  for (const FileName& file : FilesOf(LoadingScreensFolder(data_folder))) {
    const auto dds = BaseWith(file.ansi, ".dds");
    const auto jpg = BaseWith(file.ansi, ".jpg");
    if ((dds && platform::EqualsNoCase(*dds, name)) ||
        (jpg && platform::EqualsNoCase(*jpg, name))) {
      result.push_back(file.path);
    }
  }
  std::sort(result.begin(), result.end());
  return result;
}

bool DeleteLoadingScreenFiles(const fs::path& data_folder, std::string_view name) {
  if (!IsSingleName(name)) return false;
  for (const fs::path& file : LoadingScreenFiles(data_folder, name)) {
    platform::RemoveFileQuietly(file);
  }
  return LoadingScreenFiles(data_folder, name).empty();
}

LoadingScreenList RemoveLoadingScreenEntry(const std::vector<std::string>& entries, int index) {
  LoadingScreenList list;
  list.entries = entries;
  if (index >= 0 && index < static_cast<int>(entries.size())) {
    list.entries.erase(list.entries.begin() + index);
    list.selected = list.entries.empty() ? -1 : std::max(index - 1, 0);
  }
  list.delete_enabled = list.entries.size() >= 2;
  return list;
}

}  // namespace catalogue
