// What a stage of a run works with.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "config/option_snapshot.h"
#include "generation/generation_inputs.h"
#include "generation/mod_writer.h"
#include "generation/run_log.h"

namespace generation {

struct StageContext {
  const GenerationInputs& inputs;
  ModWriter& mod;
  RunLog& log;
  fs::path final_mod;  // where the mod is once the run is complete
  // Marks of the unit file stage: a new unit needs the helicopter or the jet-engine technology.
  bool needs_helicopter_technology = false;
  bool needs_jet_technology = false;
  // Done only once the new mod has taken its place (the desktop shortcut points into it).
  std::vector<std::function<void()>> after_commit;

  const config::OptionSnapshot& options() const { return inputs.options; }
  bool Russian() const { return inputs.options.IsRussian(); }
};

}  // namespace generation
