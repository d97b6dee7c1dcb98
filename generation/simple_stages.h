// The small stages of a run that only copy files.
#pragma once

#include "generation/stage_context.h"

namespace generation {

// The special-unit file into XML/Units.
void CopySpecialUnits(StageContext& context);
// The buttons of the helicopter and jet-engine technologies.
void CopyTechnologyButtons(StageContext& context);
// The button of the city's idle process ("Развитие").
void CopyIdleButton(StageContext& context);
// The game's unit file when no stage has written one, and the mod's own text file in the
// interface's language.
void CopyUnitFallbackAndText(StageContext& context);

}  // namespace generation
