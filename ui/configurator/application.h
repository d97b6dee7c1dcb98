// The configurator's program entry: splash, main window, first-run language dialog, message loop.
#pragma once

namespace ui {

int RunConfigurator(int argc, char** argv);

}  // namespace ui
