#include "installer/pack_install.h"

#include <optional>
#include <vector>

#include "installer/entry_copy.h"
#include "installer/line_file.h"
#include "installer/uninstall_list.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "platform/text.h"

namespace installer {
namespace {

using Lines = std::vector<std::string>;

size_t CountOf(const std::optional<Lines>& lines) { return lines ? lines->size() : 0; }

class Procedure {
 public:
  Procedure(const PackDescription& pack, const PackFolder& folder, const fs::path& program_folder,
            const ProgressSink& progress)
      : pack_(pack), folder_(folder), program_(program_folder), progress_(progress) {}

  bool Run() {
    // Every file of the pack is read before anything changes: one that cannot be read, or is a
    // link, fails the install while the program folder is still as it was.
    const auto copy_script = folder_.ReadLines("Script_Copy.ini");
    const auto absolute_script = folder_.ReadLines("Script_ACopy.ini");
    const auto delete_script = folder_.ReadLines("Script_Delete.ini");
    const auto add_script = folder_.ReadLines("Script_Uninstall_Add.ini");
    const auto clear_script = folder_.ReadLines("Script_Uninstall_Clear.ini");
    const auto complete_list = folder_.ReadBytes("Uninstall.ini");
    const auto old_versions = folder_.ReadBytes("OldVersions.ini");

    total_ = static_cast<int>(CountOf(copy_script) + CountOf(absolute_script) +
                              CountOf(delete_script) + (complete_list ? 1 : CountOf(add_script)));
    Report("start");

    if (delete_script) Delete(*delete_script);
    UninstallList(complete_list, clear_script, add_script);
    if (absolute_script) CopyAll(*absolute_script, program_, "copy");
    if (copy_script) CopyAll(*copy_script, pack_.ComponentFolder(program_), "copy to component");
    if (success_) VersionRecords(old_versions);
    return success_;
  }

 private:
  struct Record {
    std::optional<fs::path> path;  // real; nullopt when refused
    std::string bytes;
  };

  void Report(std::string description) {
    if (progress_) progress_({done_, total_, std::move(description)});
  }
  void Step(const std::string& what, const std::string& line) {
    ++done_;
    Report(what + " " + line);
  }
  void Fail() { success_ = false; }

  // The real path of a place below `base`, when it lies in the program folder once every link on
  // the way is followed; nullopt for a refused relative path or one that a link leads out.
  std::optional<fs::path> Inside(const fs::path& base, std::string_view relative) const {
    const auto path = platform::ResolveInside(base, relative);
    if (!path) return std::nullopt;
    return platform::RealPathInside(program_, *path);
  }

  // Writes a file of the program folder atomically; a failure fails the procedure.
  bool Write(const std::optional<fs::path>& path, std::string_view bytes) {
    if (!path) {
      Fail();
      return false;
    }
    try {
      platform::WriteFileAtomic(*path, bytes);
      return true;
    } catch (const platform::SystemError&) {
      Fail();
      return false;
    }
  }

  void Delete(const Lines& script) {
    for (const auto& line : script) {
      Step("delete", line);
      if (line.empty()) continue;
      const auto target = platform::ResolveInside(program_, line);
      // The folder of the entry must lie in the program folder; the entry itself is never
      // followed.
      const auto folder =
          target ? platform::RealPathInside(program_, target->parent_path()) : std::nullopt;
      if (!folder) {
        Fail();
        continue;
      }
      const fs::path entry = *folder / target->filename();
      // Only files: a folder is never removed, a link is removed as a link.
      std::error_code ec;
      const auto status = fs::symlink_status(entry, ec);
      const bool file =
          fs::is_regular_file(status) || (fs::is_symlink(status) && !fs::is_directory(entry, ec));
      if (file && !platform::RemoveFileQuietly(entry)) Fail();
    }
  }

  void UninstallList(const std::optional<std::string>& complete_list,
                     const std::optional<Lines>& clear_script,
                     const std::optional<Lines>& add_script) {
    const auto target = Inside(program_, "Resource\\Uninstall.ini");
    if (complete_list) {
      Step("replace", "Resource\\Uninstall.ini");
      Write(target, *complete_list);
      return;
    }
    if (add_script) {
      for (const auto& line : *add_script) Step("uninstall list", line);
    }
    if (!clear_script && !add_script) return;
    if (!target) return Fail();
    // A program without an uninstall list gets none from the scripts.
    if (!platform::IsFile(*target)) return;
    const Lines before = ReadLines(*target).value_or(Lines{});
    Lines list = before;
    if (clear_script) list = ClearUninstallLines(list, *clear_script);
    if (add_script) list = AddUninstallSections(std::move(list), *add_script);
    if (list != before) Write(target, platform::JoinLinesCrLf(list));
  }

  void CopyAll(const Lines& script, const fs::path& base, const std::string& what) {
    for (const auto& line : script) {
      Step(what, line);
      if (line.empty()) continue;
      const auto source = folder_.PayloadEntry(line);
      const auto target = Inside(base, line);
      if (!source || !target) {
        Fail();
        continue;
      }
      std::error_code ec;
      if (fs::symlink_status(*source, ec).type() == fs::file_type::not_found) continue;
      if (!CopyEntry(*source, *target, program_)) Fail();
    }
  }

  // The component's older versions, the list of installed components and the component's
  // version record go in as a unit, Version.ini last: it is what the checks of a later run read,
  // so until it is written a later run installs again without asking, and finds the list line
  // already there. When one cannot be written, those written before it get their old content
  // back, so a failed install records nothing.
  void VersionRecords(const std::optional<std::string>& old_versions) {
    const fs::path component = pack_.ComponentFolder(program_);
    std::vector<Record> records;
    if (old_versions) records.push_back({Inside(component, "OldVersions.ini"), *old_versions});
    if (pack_.KeepsVersionRecord()) {
      const auto list = Inside(program_, "Resource\\InstallComponents.ini");
      Lines lines = list ? ReadLines(*list).value_or(Lines{}) : Lines{};
      if (!list || !Contains(lines, pack_.InstalledLine())) {
        lines.push_back(pack_.InstalledLine());
        records.push_back({list, platform::JoinLinesCrLf(lines)});
      }
      records.push_back({Inside(component, "Version.ini"), pack_.version + "\r\n"});
    }
    WriteRecords(records);
  }

  void WriteRecords(const std::vector<Record>& records) {
    // What each record holds now, to put back; nothing is written unless all can be put back.
    std::vector<std::optional<std::string>> previous;
    for (const auto& record : records) {
      if (!record.path) return Fail();
      previous.push_back(platform::ReadFileBytes(*record.path));
      std::error_code ec;
      const auto type = fs::symlink_status(*record.path, ec).type();
      if (!previous.back() && type != fs::file_type::not_found) return Fail();
    }
    for (size_t i = 0; i < records.size(); ++i) {
      if (Write(records[i].path, records[i].bytes)) continue;
      while (i-- > 0) {
        // Best effort: a record that stays is one a later run writes again.
        const fs::path& path = *records[i].path;
        try {
          if (previous[i]) {
            platform::WriteFileAtomic(path, *previous[i]);
          } else {
            platform::RemoveFileQuietly(path);
          }
        } catch (const platform::SystemError&) {
        }
      }
      return;
    }
  }

  const PackDescription& pack_;
  const PackFolder& folder_;
  const fs::path program_;
  const ProgressSink& progress_;
  int total_ = 0;
  int done_ = 0;
  bool success_ = true;
};

}  // namespace

bool InstallPack(const PackDescription& pack, const PackFolder& folder,
                 const fs::path& program_folder, const ProgressSink& progress) {
  try {
    return Procedure(pack, folder, program_folder, progress).Run();
  } catch (const std::exception&) {
    // An unreadable script or list, or anything else unforeseen, ends the procedure as failed.
    return false;
  }
}

}  // namespace installer
