#include "tests/installer/tree_snapshot.h"

#include "platform/file_io.h"

namespace installer_testing {

namespace fs = std::filesystem;

std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string relative = it->path().lexically_relative(folder).string();
    if (it->is_symlink()) {
      entries[relative] = "-> " + fs::read_symlink(it->path(), ec).string();
    } else if (it->is_directory()) {
      entries[relative] = "<folder>";
    } else {
      entries[relative] = platform::ReadFileBytes(it->path()).value_or("<unreadable>");
    }
  }
  return entries;
}

std::string PackIni(const std::string& component, const std::string& version,
                    const std::string& kind, const std::string& parent) {
  return "// A test pack\r\nSample Screens\r\nVornak.TQ\r\nVornak.TQ\r\nTFormVKMain\r\n" +
         component + "\r\n" + version + "\r\n" + parent + "\r\n" + kind + "\r\n";
}

}  // namespace installer_testing
