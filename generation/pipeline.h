// One generation run: the stage table applied to a staging folder beside the mod, which takes the
// old mod's place only when the run is complete. A failed run leaves the previous mod as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "generation/generation_inputs.h"
#include "generation/mod_folders.h"
#include "generation/run_lock.h"
#include "generation/run_log.h"

namespace generation {

// A run made ready before the overwrite question: the Mods folders it changes are locked, what
// interrupted runs of the mod left there is cleaned up (an old mod they had set aside is back at
// its name), and the folders the run replaces are located. The question names `folders`; the
// lock keeps them as they are until the run ends.
struct RunPlan {
  ModFolders folders;
  // Why the run cannot start (ANSI, for the user): a refused folder name, another run working in
  // the same Mods folder, a Mods folder that cannot be locked. Nothing was changed then.
  std::optional<std::string> problem;
  RunLock lock;
};

// A dry run locks and cleans nothing.
RunPlan PrepareGeneration(const GenerationInputs& inputs);

struct RunResult {
  bool succeeded = false;
  fs::path mod_folder;
  std::string failure;  // why the run stopped, when it failed
  // After a failure: every copy of the previous mod is where it was. False only when a copy set
  // aside could not be put back; `failure` then says where it is.
  bool previous_mod_unchanged = true;
  int errors_reported = 0;  // reports of the stages to the error log during the run
};

// Runs the generation prepared by `plan`, after the caller has asked the overwrite question.
// Safe to run on a worker thread: it touches no window.
RunResult RunGeneration(const GenerationInputs& inputs, RunPlan plan, RunLog& log);

// Prepares and runs in one go, replacing whatever the plan finds (callers without a question).
RunResult RunGeneration(const GenerationInputs& inputs, RunLog& log);

}  // namespace generation
