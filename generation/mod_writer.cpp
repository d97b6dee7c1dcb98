#include "generation/mod_writer.h"

#include <algorithm>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "platform/text.h"

namespace generation {
namespace {

// A path text of the mod as a confined relative path; "" is the mod's folder itself.
fs::path Confined(std::string_view relative) {
  if (relative.empty()) return {};
  const auto confined = platform::ConfineRelative(relative);
  if (!confined) {
    throw platform::SystemError("a path leaves its folder: " + std::string(relative), EINVAL);
  }
  return *confined;
}

}  // namespace

ModWriter::ModWriter(fs::path data_folder, fs::path staging_folder, RunLog& log, bool dry_run)
    : data_folder_(std::move(data_folder)),
      staging_folder_(std::move(staging_folder)),
      log_(log),
      dry_run_(dry_run) {}

fs::path ModWriter::ModPath(std::string_view relative) const {
  return staging_folder_ / Resolve(Confined(relative));
}

fs::path ModWriter::Resolve(const fs::path& relative) const {
  fs::path resolved;
  for (const auto& part : relative) {
    const auto it = entries_.find({resolved, platform::AsciiLower(part.string())});
    resolved /= it == entries_.end() ? part : fs::path(it->second);
  }
  return resolved;
}

void ModWriter::Remember(const fs::path& target) {
  fs::path parent;
  for (const auto& part : target.lexically_relative(staging_folder_)) {
    entries_.try_emplace({parent, platform::AsciiLower(part.string())}, part.string());
    parent /= part;
  }
}

fs::path ModWriter::DataPath(std::string_view relative) const {
  const auto resolved = platform::ResolveInsideRealPath(data_folder_, relative);
  return resolved ? *resolved : fs::path();
}

bool ModWriter::ModFileExists(std::string_view relative) const {
  const fs::path path = ModPath(relative);
  return planned_.contains(path) || platform::IsFile(path);
}

void ModWriter::Record(const fs::path& target) {
  if (dry_run_) planned_.insert(target);
  Remember(target);
  log_.Wrote(target.lexically_relative(staging_folder_));
}

void ModWriter::MakeFolder(std::string_view relative) {
  const fs::path folder = ModPath(relative);
  Remember(folder);
  if (dry_run_) return;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) throw platform::SystemError("cannot create " + folder.string(), ec.value());
}

bool ModWriter::CopyFromData(std::string_view source, std::string_view target_folder,
                             std::string_view name) {
  const fs::path from = DataPath(source);
  MakeFolder(target_folder);
  if (from.empty() || !platform::IsFile(from)) {
    log_.MissingSource(from.empty() ? fs::path(std::string(source)) : from);
    return false;
  }
  const std::string file_name =
      name.empty() ? platform::PathToAnsi(from.filename()) : std::string(name);
  const fs::path to =
      ModPath(target_folder.empty() ? file_name : std::string(target_folder) + "\\" + file_name);
  if (!dry_run_) platform::CopyFileBytes(from, to);
  Record(to);
  return true;
}

bool ModWriter::CopyFolderFromData(std::string_view source_folder, std::string_view target_folder) {
  const fs::path from = DataPath(source_folder);
  MakeFolder(target_folder);
  if (from.empty() || !platform::IsDirectory(from)) {
    log_.MissingSource(from.empty() ? fs::path(std::string(source_folder)) : from);
    return false;
  }
  std::vector<fs::path> real_folders;
  CopyTree(from, ModPath(target_folder), real_folders);
  return true;
}

void ModWriter::CopyTree(const fs::path& from, const fs::path& to,
                         std::vector<fs::path>& real_folders) {
  std::error_code ec;
  real_folders.push_back(fs::canonical(from, ec));
  for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
    // A link is followed only while it stays inside the data folder; one leading out is not
    // read, and is reported as a source that is not there.
    if (entry.is_symlink() && !platform::StaysInside(data_folder_, entry.path())) {
      log_.MissingSource(entry.path());
      continue;
    }
    const fs::path target =
        staging_folder_ /
        Resolve((to / entry.path().filename()).lexically_relative(staging_folder_));
    if (entry.is_directory()) {
      // A link back to a folder being copied would copy without end.
      const fs::path real = fs::canonical(entry.path(), ec);
      if (ec || std::find(real_folders.begin(), real_folders.end(), real) != real_folders.end()) {
        continue;
      }
      Remember(target);
      if (!dry_run_) fs::create_directories(target);
      CopyTree(entry.path(), target, real_folders);
      continue;
    }
    if (!entry.is_regular_file()) continue;
    if (!dry_run_) platform::CopyFileBytes(entry.path(), target);
    Record(target);
  }
  real_folders.pop_back();
}

void ModWriter::WriteFile(std::string_view relative, std::string_view bytes) {
  const fs::path target = ModPath(relative);
  // The staging folder is swapped in whole when the run is complete.
  if (!dry_run_) platform::WriteFileBytes(target, bytes);
  Record(target);
}

}  // namespace generation
