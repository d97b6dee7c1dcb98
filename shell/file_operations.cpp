#include "shell/file_operations.h"

#include <string>

#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/system_error.h"

namespace shell {
namespace {

void CopyOneFile(const fs::path& source, const fs::path& target, bool no_overwrite) {
  if (no_overwrite && fs::exists(fs::symlink_status(target))) return;
  const auto bytes = platform::ReadFileBytes(source);
  if (!bytes) throw platform::SystemError("cannot read " + source.string());
  platform::WriteFileAtomic(target, *bytes);
}

void CopyTree(const fs::path& source, const fs::path& target, bool no_overwrite) {
  fs::create_directories(target);
  for (const auto& entry : fs::directory_iterator(source)) {
    const fs::path to = target / entry.path().filename();
    const fs::file_status status = entry.symlink_status();
    if (fs::is_directory(status)) {
      CopyTree(entry.path(), to, no_overwrite);
    } else if (fs::is_regular_file(status) ||
               (fs::is_symlink(status) && fs::is_regular_file(entry.status()))) {
      // A linked file is copied as its content; a linked folder is not entered, so a link can
      // neither pull in outside folders nor loop.
      CopyOneFile(entry.path(), to, no_overwrite);
    }
  }
}

}  // namespace

bool CopyFileTo(const fs::path& source, const fs::path& target_folder, std::string_view target_name,
                bool no_overwrite) {
  return errors::Guarded("UP.008-01", [&] {
    // A folder given with separators at its end ("...\\") names the folder itself.
    const fs::path folder = target_folder.lexically_normal();
    fs::create_directories(folder);
    if (target_name.empty()) {
      if (!fs::is_directory(source)) {
        throw platform::SystemError("not a folder: " + source.string(), ENOTDIR);
      }
      CopyTree(source, folder / source.filename(), no_overwrite);
      return true;
    }
    return errors::Guarded("UP.008-02", [&] {
      CopyOneFile(source, folder / std::string(target_name), no_overwrite);
      return true;
    });
  });
}

bool CopyFolder(const fs::path& source, const fs::path& target, bool no_overwrite) {
  return errors::Guarded("UP.008-03", [&] {
    CopyTree(source, target.lexically_normal(), no_overwrite);
    return true;
  });
}

bool DeleteFolder(const fs::path& folder) {
  return errors::Guarded("UP.008-04", [&] {
    const fs::path normal = folder.lexically_normal();
    if (normal.empty() || !normal.is_absolute() || normal == normal.root_path() ||
        !normal.has_relative_path()) {
      throw platform::SystemError("refusing to delete " + folder.string(), EINVAL);
    }
    const fs::file_status status = fs::symlink_status(normal);
    if (!fs::exists(status)) return true;
    if (!fs::is_directory(status)) {
      throw platform::SystemError("not a folder: " + normal.string(), ENOTDIR);
    }
    // Folders without write permission would keep their entries; open them up first. Links are
    // not followed (remove_all removes a link itself).
    fs::permissions(normal, fs::perms::owner_all, fs::perm_options::add);
    for (auto it = fs::recursive_directory_iterator(normal);
         it != fs::recursive_directory_iterator(); ++it) {
      if (!it->is_symlink() && it->is_directory()) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add);
      }
    }
    fs::remove_all(normal);
    return true;
  });
}

}  // namespace shell
