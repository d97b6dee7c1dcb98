#include "ui/configurator/application.h"

#include <QApplication>
#include <QTimer>
#include <string>
#include <vector>

#include "errors/error_processor.h"
#include "platform/dialogs.h"
#include "platform/system_info.h"
#include "shell/program_identity.h"
#include "ui/configurator/ansi.h"
#include "ui/configurator/error_window.h"
#include "ui/configurator/main_window.h"
#include "ui/configurator/qt_dialogs.h"
#include "ui/configurator/start_windows.h"

namespace ui {

int RunConfigurator(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(FromAnsi(shell::kProgramName));
  QtDialogs dialogs;
  platform::SetCurrentDialogs(&dialogs);
  SimpleErrorWindow error_window;
  errors::Processor().set_window(&error_window);

  auto* splash = new SplashWindow();
  splash->show();
  splash->repaint();
  QApplication::processEvents();

  MainWindowSetup setup;
  setup.paths = shell::DefaultStartUpPaths();
  setup.system = platform::CompatibleSystemVersion();
  setup.arguments.assign(argv + 1, argv + argc);
  bool unsupported = false;
  setup.unsupported_system = [&unsupported](const shell::ShellState& state) {
    unsupported = true;
    NotSupportedWindow window(FromAnsi(state.minimum_system_name));
    window.exec();
  };
  int exit_code = 0;
  {
    MainWindow window(std::move(setup));
    // With only the designed language there is nothing to choose.
    FirstChooseDialog::Choose({QString::fromUtf8("Russian [Русский]")}, true);
    splash->close();
    if (!unsupported) {
      window.show();
      exit_code = app.exec();
    }
  }
  errors::Processor().set_window(nullptr);
  platform::SetCurrentDialogs(nullptr);
  return exit_code;
}

}  // namespace ui
