// What a run changes in the option controls before the option state is taken: empty number fields
// get their standard texts, and with the atomic-bomber finding the atomic bombers go back to
// "{None}" (without a DLL component the game has no place for them).
#pragma once

#include "config/option_controls.h"

namespace generation {

void PrepareControlsForRun(config::OptionControls& controls, bool atomic_bombers_found);

}  // namespace generation
