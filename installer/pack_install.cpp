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
    const auto copy_script = folder_.ReadLines("Script_Copy.ini");
    const auto absolute_script = folder_.ReadLines("Script_ACopy.ini");
    const auto delete_script = folder_.ReadLines("Script_Delete.ini");
    const auto add_script = folder_.ReadLines("Script_Uninstall_Add.ini");
    const auto clear_script = folder_.ReadLines("Script_Uninstall_Clear.ini");
    const bool complete_list = folder_.Has("Uninstall.ini");

    total_ = static_cast<int>(CountOf(copy_script) + CountOf(absolute_script) +
                              CountOf(delete_script) + (complete_list ? 1 : CountOf(add_script)));
    Report("start");

    if (delete_script) Delete(*delete_script);
    UninstallList(complete_list, clear_script, add_script);
    if (absolute_script) CopyAll(*absolute_script, program_, "copy");
    if (copy_script) CopyAll(*copy_script, pack_.ComponentFolder(program_), "copy to component");
    if (success_) VersionRecords();
    return success_;
  }

 private:
  void Report(std::string description) {
    if (progress_) progress_({done_, total_, std::move(description)});
  }
  void Step(const std::string& what, const std::string& line) {
    ++done_;
    Report(what + " " + line);
  }
  void Fail() { success_ = false; }

  // Writes a file of the program folder atomically; a failure fails the procedure.
  void Write(const std::optional<fs::path>& path, std::string_view bytes) {
    if (!path) return Fail();
    try {
      platform::WriteFileAtomic(*path, bytes);
    } catch (const platform::SystemError&) {
      Fail();
    }
  }

  void Delete(const Lines& script) {
    for (const auto& line : script) {
      Step("delete", line);
      if (line.empty()) continue;
      const auto target = platform::ResolveInside(program_, line);
      if (!target) {
        Fail();
        continue;
      }
      // Only files: a folder is never removed, a link is removed as a link.
      std::error_code ec;
      const auto status = fs::symlink_status(*target, ec);
      const bool file =
          fs::is_regular_file(status) || (fs::is_symlink(status) && !fs::is_directory(*target, ec));
      if (file && !platform::RemoveFileQuietly(*target)) Fail();
    }
  }

  void UninstallList(bool complete_list, const std::optional<Lines>& clear_script,
                     const std::optional<Lines>& add_script) {
    const auto target = platform::ResolveInside(program_, "Resource\\Uninstall.ini");
    if (complete_list) {
      Step("replace", "Resource\\Uninstall.ini");
      const auto bytes = folder_.ReadBytes("Uninstall.ini");
      if (!bytes) return Fail();
      return Write(target, *bytes);
    }
    if (add_script) {
      for (const auto& line : *add_script) Step("uninstall list", line);
    }
    // A program without an uninstall list gets none from the scripts.
    if (!target || !platform::IsFile(*target)) return;
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
      const auto target = platform::ResolveInside(base, line);
      if (!source || !target) {
        Fail();
        continue;
      }
      std::error_code ec;
      if (fs::symlink_status(*source, ec).type() == fs::file_type::not_found) continue;
      if (!CopyEntry(*source, *target)) Fail();
    }
  }

  void VersionRecords() {
    const fs::path component = pack_.ComponentFolder(program_);
    if (pack_.KeepsVersionRecord()) {
      Write(platform::ResolveInside(component, "Version.ini"), pack_.version + "\r\n");
      if (!success_) return;
      const auto list = platform::ResolveInside(program_, "Resource\\InstallComponents.ini");
      Lines lines = list ? ReadLines(*list).value_or(Lines{}) : Lines{};
      if (!Contains(lines, pack_.InstalledLine())) {
        lines.push_back(pack_.InstalledLine());
        Write(list, platform::JoinLinesCrLf(lines));
      }
    }
    if (const auto old_versions = folder_.ReadBytes("OldVersions.ini")) {
      Write(platform::ResolveInside(component, "OldVersions.ini"), *old_versions);
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
