#include "generation/mod_writer.h"

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
  const auto resolved = platform::ResolveInside(data_folder_, relative);
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
  const fs::path to = ModPath(target_folder);
  for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator();
       ++it) {
    const fs::path target =
        staging_folder_ /
        Resolve((to / it->path().lexically_relative(from)).lexically_relative(staging_folder_));
    if (it->is_directory()) {
      if (!dry_run_) fs::create_directories(target);
      continue;
    }
    if (!it->is_regular_file()) continue;
    if (!dry_run_) platform::CopyFileBytes(it->path(), target);
    Record(target);
  }
  return true;
}

void ModWriter::WriteFile(std::string_view relative, std::string_view bytes) {
  const fs::path target = ModPath(relative);
  // The staging folder is swapped in whole when the run is complete.
  if (!dry_run_) platform::WriteFileBytes(target, bytes);
  Record(target);
}

}  // namespace generation
