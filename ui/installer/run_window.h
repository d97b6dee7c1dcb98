// The installer with its window, as the program runs it without arguments.
#pragma once

#include "installer/session.h"

namespace installer_ui {

// Needs a QApplication. Returns the program's exit code (0 only when the pack was installed).
int RunWindowInstaller(installer::SessionOptions options);

}  // namespace installer_ui
