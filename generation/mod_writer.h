// How the stages of a run put files into the mod. The run builds the mod in a staging folder; a
// writer takes paths relative to the mod and to the data folder (Windows texts from data, ANSI),
// keeps them inside their folders, resolves them without ASCII case, and records what it wrote
// and what it did not find. In a dry run it only records.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "generation/run_log.h"

namespace generation {

namespace fs = std::filesystem;

class ModWriter {
 public:
  ModWriter(fs::path data_folder, fs::path staging_folder, RunLog& log, bool dry_run);

  // data/<source> copied to mod/<target_folder>/<name> (the source's own name when `name` is
  // empty). A missing source is recorded and copies nothing; the target folder is made all the
  // same. Returns whether a file was copied.
  bool CopyFromData(std::string_view source, std::string_view target_folder,
                    std::string_view name = {});
  // Every file and subfolder of data/<source_folder> into mod/<target_folder>. Links are followed
  // only while they stay inside the data folder; each one leading out is a missing source.
  bool CopyFolderFromData(std::string_view source_folder, std::string_view target_folder);
  // Writes a whole file of the mod.
  void WriteFile(std::string_view relative, std::string_view bytes);
  void MakeFolder(std::string_view relative);

  // The mod's file (in the staging folder), resolved; the file need not exist.
  fs::path ModPath(std::string_view relative) const;
  // A file of the data folder, resolved; empty when the text leaves the data folder, also through
  // a link (confinement is decided on real paths).
  fs::path DataPath(std::string_view relative) const;
  bool ModFileExists(std::string_view relative) const;

  const fs::path& data_folder() const { return data_folder_; }
  const fs::path& staging_folder() const { return staging_folder_; }
  bool dry_run() const { return dry_run_; }
  RunLog& log() { return log_; }

 private:
  void Record(const fs::path& target);
  // Notes a folder or file the run made in the staging folder.
  void Remember(const fs::path& target);
  fs::path Resolve(const fs::path& relative) const;
  // Copies the folder `from` of the data into `to` of the staging folder; `real_folders` holds
  // the real paths of the folders being copied, from the outermost.
  void CopyTree(const fs::path& from, const fs::path& to, std::vector<fs::path>& real_folders);

  fs::path data_folder_;
  fs::path staging_folder_;
  RunLog& log_;
  bool dry_run_;
  std::set<fs::path> planned_;  // what a dry run would have written
  // Only the run writes into its staging folder, so what is there is known: each entry by its
  // parent and its name without ASCII case, with its spelling on disk. Resolving a path of the
  // mod then needs no look at the disk.
  std::map<std::pair<fs::path, std::string>, std::string> entries_;
};

}  // namespace generation
