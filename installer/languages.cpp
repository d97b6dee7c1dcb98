#include "installer/languages.h"

#include <algorithm>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace installer {

std::vector<LanguageEntry> ListLanguages(const fs::path& installer_folder) {
  std::vector<LanguageEntry> files;
  const fs::path folder = platform::ResolveCase(installer_folder / "Language");
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    // Language files are plain files of the folder; a link is not followed out of it.
    std::error_code status_error;
    if (!fs::is_regular_file(it->symlink_status(status_error))) continue;
    const std::string file_name = platform::PathToAnsi(it->path().filename());
    if (!platform::EndsWithNoCase(file_name, ".txt") || file_name.size() == 4) continue;
    LanguageEntry entry;
    entry.name = file_name.substr(0, file_name.size() - 4);
    entry.file = it->path();
    const auto bytes = platform::ReadFileBytes(entry.file).value_or("");
    const auto lines = platform::SplitLines(bytes);
    const std::string own_name = lines.empty() ? std::string() : lines.front();
    entry.display = own_name.empty() ? entry.name : entry.name + " [" + own_name + "]";
    files.push_back(std::move(entry));
  }
  std::sort(files.begin(), files.end(), [](const LanguageEntry& a, const LanguageEntry& b) {
    return platform::LessNoCase(a.name, b.name);
  });

  std::vector<LanguageEntry> entries;
  entries.push_back({kBuiltInLanguage, platform::Ansi("Russian [Русский]"), {}});
  for (auto& entry : files) entries.push_back(std::move(entry));
  return entries;
}

bool LoadLanguage(const LanguageEntry& entry, InstallerTexts& texts) {
  if (entry.file.empty()) {
    texts.UseBuiltIn();
    return true;
  }
  const auto bytes = platform::ReadFileBytes(entry.file);
  if (!bytes) return false;
  texts.LoadLanguageFile(*bytes);
  return true;
}

}  // namespace installer
