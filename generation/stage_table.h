// The stages of a run, in their fixed order. Each row runs only when its condition holds and
// advances the gauge by its steps either way. The order matters: the first stage that writes a
// game file into the mod fixes the base on which the later edits of that file work.
#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "generation/stage_context.h"

namespace generation {

struct Stage {
  int number;
  std::string_view name;
  std::function<bool(const StageContext&)> condition;
  // The stage's work; empty while the subsystem that does it is not part of the program yet (the
  // run's report lists the row as skipped).
  std::function<void(StageContext&)> run;
  int steps = 1;
  // What the row waits for, when `run` is empty.
  std::string_view pending = {};
};

std::span<const Stage> Stages();

// The gauge's maximum for a run: the steps of every row, the removal of old copies, and one per
// loaded external component.
int GaugeMaximum(int exact_components);

}  // namespace generation
