// The configurator's main window TFormVKMain: a frame of menus, the navigation list, the pages,
// the bottom bar and the hidden message labels. Each page is a class of its own (pages/); the
// option state lives in the pages' controls, which the features see through WindowControls.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "catalogue/library_scan.h"
#include "config/configuration_file.h"
#include "config/option_rules.h"
#include "config/option_snapshot.h"
#include "platform/named_mutex.h"
#include "platform/system_info.h"
#include "shell/start_up.h"
#include "ui/configurator/control_registry.h"
#include "ui/configurator/navigation_list.h"
#include "ui/configurator/window_controls.h"

namespace ui {

class DescribedGrid;
class DllPage;
class GridPage;
class InfoPage;
class InterfacePage;
class LinesPage;
class NewUnitsPage;
class OptionArea;
class Page;
class ReligionsPage;
class WindowMessageServer;

// What a main window is started with; tests give their own folders and system version.
struct MainWindowSetup {
  shell::StartUpPaths paths;
  platform::OsVersion system;
  std::vector<std::string> arguments;
  // The pause between the mutex probes of the one-copy check.
  int probe_pause_ms = 100;
  // Shows the unsupported-system window (modal); tests replace it.
  std::function<void(const shell::ShellState&)> unsupported_system;
  // A window that only serves a headless tool: no shell start-up (no counters, no registration,
  // no window socket), and the data folder as given when not empty.
  bool headless = false;
  std::filesystem::path data_folder;
};

class MainWindow : public QMainWindow, private config::WindowEvents {
  Q_OBJECT

 public:
  static constexpr char kWindowClass[] = "TFormVKMain";
  static constexpr int kClientWidth = 994;
  static constexpr int kClientHeight = 676;
  // The navigation entries with the page each selects; no entry selects page 8.
  static const std::vector<NavigationList::Entry>& NavigationEntries();

  explicit MainWindow(MainWindowSetup setup);
  ~MainWindow() override;

  const ControlRegistry& controls() const { return controls_; }
  WindowControls& option_controls() { return window_controls_; }
  config::OptionRules& rules() { return rules_; }
  const shell::ShellState& shell_state() const { return shell_state_; }
  const std::filesystem::path& data_folder() const { return data_folder_; }
  const std::filesystem::path& program_folder() const { return setup_.paths.program_folder; }
  bool system_not_supported() const { return shell_state_.system_not_supported; }

  // Shows the page with that index (as a click on its navigation entry does), with the page's
  // action on entering.
  void ShowPage(int page_index);
  int current_page() const;
  NavigationList* navigation() const { return navigation_; }
  InfoPage* info_page() const { return info_page_; }
  DllPage* dll_page() const { return dll_page_; }
  NewUnitsPage* new_units_page() const { return new_page_; }
  InterfacePage* interface_page() const { return interface_page_; }

  // Enables the DLL component when the game's version fits, else shows the page that asks for
  // the right version and clears the switch.
  void GameVersionCheck();
  void FillStatistics();
  // The configuration commands of the "Файл" menu, after the user's choice in the dialog.
  bool SaveConfigurationTo(const std::filesystem::path& chosen);
  bool LoadConfigurationFrom(const std::filesystem::path& chosen);
  // "Удалить выбранное изображение", after the question was answered.
  void DeleteSelectedLoadingScreen();
  // The options as generation and the other features read them.
  config::OptionSnapshot TakeSnapshot() const;
  // A private message from another copy: WM_USER+1 closes as "Выход" does (after any modal window
  // has closed), WM_USER+3 beeps and brings the window to the front.
  void HandleWindowMessage(int message);
  // The version menu's title after a language change.
  QString version_title() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // config::WindowEvents
  void LoadingScreenSelected(int index) override;
  void RefreshGridDescription(std::string_view grid) override;
  void ConfigurationRead() override;

  void BuildMenus();
  void BuildPages();
  void BuildBottomBar();
  void BuildHiddenLabels();
  void InitInterface();
  void FillGrids();
  void FillLoadingScreens();
  void RunShellStartUp();
  void FirstShow();
  void Shutdown();
  void OpenProgramSettings();
  void OpenGenerationWindow();
  void SaveConfigurationAs();
  void LoadConfiguration();
  void AskToDeleteLoadingScreen();
  void ScrollCurrentPage(int notches);
  config::ReadContext ReadContext() const;
  QLabel* AddHiddenLabel(const char* name, const char* text, const char* hint);

  MainWindowSetup setup_;
  ControlRegistry controls_;
  WindowControls window_controls_{controls_};
  config::OptionRules rules_{window_controls_, this};
  shell::ShellState shell_state_;
  std::filesystem::path data_folder_;
  std::vector<platform::NamedMutex> held_mutexes_;
  std::unique_ptr<WindowMessageServer> message_server_;
  std::mt19937 random_;
  catalogue::CatalogueStatistics catalogue_statistics_;
  std::vector<std::string> loading_screens_;
  int selected_loading_screen_ = -1;
  bool starting_up_ = true;

  NavigationList* navigation_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  std::vector<Page*> page_list_;
  InfoPage* info_page_ = nullptr;
  GridPage* change_page_ = nullptr;
  NewUnitsPage* new_page_ = nullptr;
  LinesPage* lines_page_ = nullptr;
  GridPage* flags_page_ = nullptr;
  DllPage* dll_page_ = nullptr;
  InterfacePage* interface_page_ = nullptr;
  ReligionsPage* religions_page_ = nullptr;
  QPushButton* generate_button_ = nullptr;
  QPushButton* support_button_ = nullptr;
  QPushButton* exit_button_ = nullptr;
  QMenu* description_language_menu_ = nullptr;
  QAction* description_english_ = nullptr;
  QAction* description_russian_ = nullptr;
  QTimer version_title_timer_;
  QTimer work_time_timer_;
  const QEvent* last_wheel_ = nullptr;
  quint64 last_wheel_time_ = 0;
  bool first_show_done_ = false;
  bool shut_down_ = false;
};

}  // namespace ui
