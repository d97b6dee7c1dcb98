#include "ui/installer/run_window.h"

#include "installer/install_flow.h"
#include "installer/program_launcher.h"
#include "installer/silent_run.h"
#include "ui/installer/installer_window.h"
#include "ui/installer/qt_dialogs.h"

namespace installer_ui {

int RunWindowInstaller(installer::SessionOptions options) {
  QtDialogs dialogs;
  const auto session = installer::Session::Open(std::move(options), dialogs);
  if (!session) return installer::kExitNotInstalled;
  InstallerWindow window(*session);
  dialogs.set_owner(&window);
  window.show();
  const installer::FlowResult result = installer::RunInstaller(*session, window);
  if (result.start) installer::LaunchProgram(*result.start);
  return result.outcome == installer::Outcome::kInstalled ? installer::kExitInstalled
                                                          : installer::kExitNotInstalled;
}

}  // namespace installer_ui
