#include "generation/pipeline.h"

#include "errors/error_processor.h"
#include "errors/guard.h"
#include "generation/mod_writer.h"
#include "generation/stage_table.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "shell/file_operations.h"

namespace generation {
namespace {

// The Mods folder holding `copy`, when its folder setting is given and the folder exists.
std::optional<fs::path> ExistingModsFolder(const std::string& setting, const fs::path& copy) {
  if (setting.empty() || !platform::IsDirectory(copy.parent_path())) return std::nullopt;
  return copy.parent_path();
}

}  // namespace

RunPlan PrepareGeneration(const GenerationInputs& inputs) {
  RunPlan plan;
  if (const auto problem = FolderNameProblem(inputs.folder_name)) {
    plan.problem = *problem;
    return plan;
  }
  plan.folders = LocateModFolders(inputs);
  if (inputs.dry_run) return plan;
  try {
    const fs::path target_mods = plan.folders.mod.parent_path();
    fs::create_directories(target_mods);
    if (auto refusal = plan.lock.Add(target_mods)) {
      plan.problem = refusal->message;
      return plan;
    }
    std::vector<fs::path> locked{target_mods};
    const bool game_target = inputs.target == Target::kGameFolder;
    const auto other_mods =
        game_target ? ExistingModsFolder(inputs.game_settings_folder, plan.folders.settings_copy)
                    : ExistingModsFolder(inputs.game_folder, plan.folders.game_copy);
    std::error_code ec;
    if (other_mods && *other_mods != target_mods && !fs::equivalent(*other_mods, target_mods, ec)) {
      if (auto refusal = plan.lock.Add(*other_mods)) {
        // A folder this user cannot write to is one the run cannot change either: should a copy
        // there need to step aside, the swap fails and puts everything back.
        if (refusal->busy) {
          plan.problem = refusal->message;
          plan.lock.Release();
          return plan;
        }
      } else {
        locked.push_back(*other_mods);
      }
    }
    const fs::path name = plan.folders.mod.filename();
    for (const fs::path& mods : locked) CleanUpInterruptedRuns(mods, name);
    plan.folders = LocateModFolders(inputs);
  } catch (...) {
    errors::ReportCurrentException("03.013-01", errno);
    try {
      throw;
    } catch (const std::exception& error) {
      plan.problem = error.what();
    } catch (...) {
      plan.problem = "unknown error";
    }
    plan.lock.Release();
  }
  return plan;
}

RunResult RunGeneration(const GenerationInputs& inputs, RunLog& log) {
  return RunGeneration(inputs, PrepareGeneration(inputs), log);
}

RunResult RunGeneration(const GenerationInputs& inputs, RunPlan plan, RunLog& log) {
  RunResult result;
  const ModFolders& folders = plan.folders;
  result.mod_folder = folders.mod;
  if (plan.problem) {
    result.failure = *plan.problem;
    return result;
  }
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
      // The new mod is complete: it takes the target's place, and only then are the old copies
      // deleted.
      const std::vector<fs::path> old_copies = SwapIn(staging, folders);
      staging.clear();
      result.succeeded = true;
      errors::Guarded("03.013-01", [&] {
        DiscardOldCopies(folders.mod, old_copies, [&log] { log.Step(1); });
        for (const auto& action : context.after_commit) action();
      });
    }
    result.succeeded = true;
  } catch (...) {
    errors::ReportCurrentException("03.013-01", errno);
    try {
      throw;
    } catch (const ModSwapError& error) {
      result.failure = error.what();
      result.previous_mod_unchanged = error.put_back();
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
