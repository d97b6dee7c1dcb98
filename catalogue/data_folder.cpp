#include "catalogue/data_folder.h"

#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace catalogue {
namespace {

fs::path& StoredDataFolder() {
  static fs::path folder;
  return folder;
}

}  // namespace

fs::path FindDataFolder(const fs::path& executable_folder) {
  return errors::Guarded("02.004-01", [&] {
    fs::path folder = fs::absolute(executable_folder).lexically_normal();
    if (!folder.has_filename()) folder = folder.parent_path();  // "/a/b/" names "/a/b"
    fs::path found;
    for (int level = 0; level < 3; ++level) {
      const fs::path candidate = platform::ResolveCase(folder / "DATA");
      if (platform::IsDirectory(candidate)) found = candidate;
      if (!folder.has_relative_path()) break;  // the root has no parent
      folder = folder.parent_path();
    }
    return found;
  });
}

const fs::path& DataFolder() { return StoredDataFolder(); }
void SetDataFolder(fs::path folder) { StoredDataFolder() = std::move(folder); }

}  // namespace catalogue
