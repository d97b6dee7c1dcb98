// Message boxes by kind, the way every part of the configurator shows its messages.
#pragma once

#include <string_view>

#include "platform/dialogs.h"

namespace shell {

// The icon a kind adds: "warning" the exclamation mark, "info" the information sign, "quest" the
// question mark, "error" the stop sign (kinds compared without ASCII case); any other kind none.
unsigned IconOfKind(std::string_view kind);

// Shows the box with the kind's icon added to `flags`, then brings the owner to the front.
// Returns the answer (kIdOk ...), or 0 when the box could not be shown.
int ShowMessage(platform::WindowRef owner, std::string_view text, std::string_view caption,
                unsigned flags, std::string_view kind);

// The settings-repair warning: "repairs of reads values were missing or wrong and were repaired".
void ShowSettingsRepairMessage(platform::WindowRef owner, int repairs, int reads);

}  // namespace shell
