// The installer's message boxes: a text, a caption, an icon by kind and the buttons. Every box is
// system-modal. There is no log: a box is all the user is told.
#pragma once

#include <string_view>

#include "platform/dialogs.h"

namespace installer {

// "warning", "info", "quest" or "error", compared without ASCII case; any other kind shows no
// icon. `buttons` is one of the kMb button values. Returns the answer (kIdOk ...).
int ShowBox(platform::Dialogs& dialogs, std::string_view text, std::string_view caption,
            std::string_view kind, unsigned buttons = platform::kMbOk);

}  // namespace installer
