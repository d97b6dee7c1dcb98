#include "generation/pipeline.h"

#include <stdlib.h>

#include "errors/error_processor.h"
#include "errors/guard.h"
#include "generation/mod_folders.h"
#include "generation/mod_writer.h"
#include "generation/stage_table.h"
#include "platform/text.h"
#include "shell/file_operations.h"

namespace generation {
namespace {

// Moves the copies the new mod replaces aside (renames on their own file systems), so that
// nothing is deleted before the new mod stands in its place.
std::vector<std::pair<fs::path, fs::path>> MoveAside(const std::vector<fs::path>& folders) {
  std::vector<std::pair<fs::path, fs::path>> moved;
  for (const auto& folder : folders) {
    std::string pattern =
        (folder.parent_path() / ("." + folder.filename().string() + ".old-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot set the old mod aside");
    fs::remove(pattern);
    fs::rename(folder, pattern);
    moved.emplace_back(folder, pattern);
  }
  return moved;
}

void PutBack(const std::vector<std::pair<fs::path, fs::path>>& moved) {
  for (const auto& [original, aside] : moved) {
    std::error_code ec;
    fs::rename(aside, original, ec);
  }
}

}  // namespace

RunResult RunGeneration(const GenerationInputs& inputs, RunLog& log) {
  RunResult result;
  if (const auto problem = FolderNameProblem(inputs.folder_name)) {
    result.failure = *problem;
    return result;
  }
  const ModFolders folders = LocateModFolders(inputs);
  result.mod_folder = folders.mod;
  log.SetMaximum(GaugeMaximum(inputs.exact_components));
  const int reports_before = errors::Processor().report_count();

  fs::path staging;
  try {
    staging = inputs.dry_run ? folders.mod : MakeStagingFolder(folders.mod);
    ModWriter writer(inputs.data_folder, staging, log, inputs.dry_run);
    StageContext context{inputs, writer, log, folders.mod, false, false, {}};
    for (const Stage& stage : Stages()) {
      if (stage.condition(context)) {
        if (stage.run) {
          stage.run(context);
        } else {
          log.Skipped(stage.number, std::string(stage.name) + " (" + std::string(stage.pending) +
                                        " are not built yet)");
        }
      }
      log.Step(stage.number == 48 ? inputs.exact_components : stage.steps);
    }
    if (!inputs.dry_run) {
      // The new mod is complete: the old copies step aside, the new one takes the target's
      // place, and only then are the old ones deleted.
      const auto moved = MoveAside(folders.replaced);
      std::error_code ec;
      fs::rename(staging, folders.mod, ec);
      if (ec) {
        PutBack(moved);
        throw std::runtime_error("cannot move the new mod into " + folders.mod.string());
      }
      staging.clear();
      for (const auto& [original, aside] : moved) {
        shell::DeleteFolder(aside);
        log.Step(1);
      }
      for (const auto& action : context.after_commit) action();
    }
    result.succeeded = true;
  } catch (...) {
    errors::ReportCurrentException("03.013-01", errno);
    try {
      throw;
    } catch (const std::exception& error) {
      result.failure = error.what();
    } catch (...) {
      result.failure = "unknown error";
    }
    if (!inputs.dry_run && !staging.empty()) shell::DeleteFolder(staging);
  }
  log.Finish();
  result.errors_reported = errors::Processor().report_count() - reports_before;
  return result;
}

}  // namespace generation
