// One generation run: the stage table applied to a staging folder beside the mod, which takes the
// old mod's place only when the run is complete. A failed run leaves the previous mod as it was.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "generation/generation_inputs.h"
#include "generation/run_log.h"

namespace generation {

struct RunResult {
  bool succeeded = false;
  fs::path mod_folder;
  std::string failure;      // why the run stopped, when it failed
  int errors_reported = 0;  // reports of the stages to the error log during the run
};

// Runs the generation. The caller has asked the overwrite question; `inputs.folder_name` must be
// a valid folder name (checked again here). Safe to run on a worker thread: it touches no window.
RunResult RunGeneration(const GenerationInputs& inputs, RunLog& log);

}  // namespace generation
