#include "ui/configurator/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "catalogue/data_folder.h"
#include "config/configuration_commands.h"
#include "config/configuration_report.h"
#include "errors/abort.h"
#include "errors/error_processor.h"
#include "errors/guard.h"
#include "lang/interface_language.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/window_sockets.h"
#include "shell/autostart.h"
#include "shell/data_locations.h"
#include "shell/message_box.h"
#include "shell/one_copy_check.h"
#include "shell/program_identity.h"
#include "shell/program_settings.h"
#include "shell/system_services.h"
#include "shell/usage_counters.h"
#include "ui/configurator/ansi.h"
#include "ui/configurator/generation_window.h"
#include "ui/configurator/pages/dll_page.h"
#include "ui/configurator/pages/grid_pages.h"
#include "ui/configurator/pages/info_page.h"
#include "ui/configurator/pages/option_area.h"
#include "ui/configurator/pages/options_pages.h"
#include "ui/configurator/program_settings_window.h"
#include "ui/configurator/qt_dialogs.h"
#include "ui/configurator/window_message_server.h"

namespace ui {
namespace {

constexpr int kCloseMessage = platform::kWmUser + 1;
constexpr int kFrontMessage = platform::kWmUser + 3;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

const std::vector<NavigationList::Entry>& MainWindow::NavigationEntries() {
  static const std::vector<NavigationList::Entry> entries = {
      {U("   Описание"), 0},
      {U("   Замена моделей"), 1},
      {U("   Добавление юнитов"), 2},
      {U("   Изменение линий развития"), 3},
      {U("   Игровые настройки"), 4},
      {U("   Изменение флагов"), 5},
      {U("   DLL (SDK) компоненты"), 6},
      {U("   Настройки внешнего вида"), 7},
      {U("   Лидеры"), 9},
      {U("   Скорости игры"), 10},
      {U("   Религии"), 11},
      {U("   Будущее"), 12},
      {U("   Внешние компоненты"), 13},
  };
  return entries;
}

MainWindow::MainWindow(MainWindowSetup setup)
    : setup_(std::move(setup)), random_(std::random_device{}()) {
  setObjectName(kWindowClass);
  setWindowTitle(U("Настройка мода \"") + FromAnsi(shell::kProgramName) +
                 U("\" для Civilization 4 BtS..."));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  // The window exists for other copies from now on: its socket is what their scan finds.
  if (!setup_.headless) {
    message_server_ = std::make_unique<WindowMessageServer>(
        kWindowClass, [this](int message) { HandleWindowMessage(message); }, nullptr);
  }

  errors::Guarded("01.042-01", [&] {
    data_folder_ = setup_.data_folder.empty()
                       ? catalogue::FindDataFolder(setup_.paths.program_folder)
                       : setup_.data_folder;
    catalogue::SetDataFolder(data_folder_);
    shell::CurrentProgramSettings() = shell::ProgramSettings{};
    BuildMenus();
    BuildPages();
    BuildBottomBar();
    BuildHiddenLabels();
    InitInterface();
    FillGrids();
    new_page_->Open(0);
    if (!setup_.headless) RunShellStartUp();
    starting_up_ = false;
    if (shell_state_.system_not_supported) return;
    FillLoadingScreens();
    info_page_->logo()->LoadPictures(data_folder_ / "Interface" / "LogoImages", random_);
    info_page_->logo()->set_visible_test([this] { return isVisible() && !isMinimized(); });
    config::InstallReportBuilder(errors::Processor(), window_controls_, [this] {
      const shell::ProgramSettings& settings = shell::CurrentProgramSettings();
      config::ReportInputs inputs;
      config::ReadDataVersions(data_folder_, inputs);
      inputs.game_version = shell::GameExecutableVersion(settings.game_folder);
      inputs.auto_config = settings.auto_config;
      inputs.info_lang = settings.info_lang;
      inputs.game_folder = settings.game_folder;
      inputs.settings_folder = settings.game_settings_folder;
      inputs.nifskope_path = settings.viewer_path;
      return inputs;
    });
  });
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  // The report builder reads this window's controls.
  errors::Processor().set_report_builder({});
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(U("Файл"));
  file->setObjectName("MenuFile");
  QAction* load = file->addAction(U("Загрузить конфигурацию..."));
  load->setObjectName("MenuLoadConfig");
  connect(load, &QAction::triggered, this, &MainWindow::LoadConfiguration);
  QAction* save = file->addAction(U("Сохранить конфигурацию как..."));
  save->setObjectName("MenuSaveConfig");
  connect(save, &QAction::triggered, this, &MainWindow::SaveConfigurationAs);
  file->addSeparator();
  QAction* exit = file->addAction(U("Выход"));
  exit->setObjectName("MenuExit");
  connect(exit, &QAction::triggered, this, &QWidget::close);
  QAction* test_error = file->addAction("TestErr");
  test_error->setObjectName("TestErr");
  test_error->setVisible(false);
  test_error->setEnabled(false);
  connect(test_error, &QAction::triggered, this,
          [] { errors::Guarded("01.999-99", [] { throw errors::Abort(); }); });

  QMenu* tools = bar->addMenu(U("Инструменты"));
  tools->setObjectName("MenuTools");
  QAction* viewer =
      tools->addAction(U("Указать путь к программе для просмотра 3D моделей \"NifSkope\"..."));
  viewer->setObjectName("MenuViewerPath");
  viewer->setEnabled(false);  // comes with the model preview
  QAction* viewer_site = tools->addAction(U("Открыть сайт \"NifSkope\"..."));
  viewer_site->setObjectName("MenuViewerSite");
  connect(viewer_site, &QAction::triggered, this, [] {
    errors::Guarded("01.070-01", [] {
      platform::CurrentDialogs().ShellOpen("https://github.com/niftools/nifskope");
    });
  });
  tools->addSeparator();
  QAction* components = tools->addAction(U("Проверка наличия дополнений..."));
  components->setObjectName("MenuComponentCheck");
  components->setEnabled(false);  // comes with the component check
  QAction* settings = tools->addAction(U("Настройки программы..."));
  settings->setObjectName("MenuProgramSettings");
  connect(settings, &QAction::triggered, this, &MainWindow::OpenProgramSettings);
  description_language_menu_ = tools->addMenu(U("Язык описаний моделей"));
  description_language_menu_->setObjectName("MenuDescriptionLanguage");
  auto* group = new QActionGroup(this);
  description_english_ = description_language_menu_->addAction("English");
  description_russian_ = description_language_menu_->addAction("Russian");
  for (QAction* item : {description_english_, description_russian_}) {
    item->setCheckable(true);
    group->addAction(item);
  }
  connect(description_english_, &QAction::triggered, this, [this] {
    shell::CurrentProgramSettings().info_lang = 0;
    ShowPage(0);
  });
  connect(description_russian_, &QAction::triggered, this, [this] {
    shell::CurrentProgramSettings().info_lang = 1;
    ShowPage(0);
  });

  QMenu* language = bar->addMenu("Language");
  language->setObjectName("MenuLanguage");

  QMenu* help = bar->addMenu(U("Справка"));
  help->setObjectName("MenuHelp");
  for (const char* name : {"MenuHelp1", "MenuHelp2"}) {
    QAction* item = help->addAction(U("Помощь"));
    item->setObjectName(name);
    item->setEnabled(false);  // comes with the language packs' help pages
  }
  const std::pair<const char*, const char*> kWebPages[] = {
      {"Официальная русская страничка мода", "https://vornak-tq.example.org/ru"},
      {"Форум разработки мода", "https://forum.vornak-tq.example.org/ru"},
      {"Он-лайн FAQ", "https://vornak-tq.example.org/ru/faq"},
      {nullptr, nullptr},
      {"English home page", "https://vornak-tq.example.org/en"},
      {"The mod's forum (English)", "https://forum.vornak-tq.example.org/en"},
      {"Online FAQ", "https://vornak-tq.example.org/en/faq"},
  };
  help->addSeparator();
  for (const auto& [caption, address] : kWebPages) {
    if (!caption) {
      help->addSeparator();
      continue;
    }
    const std::string target = address;
    connect(help->addAction(U(caption)), &QAction::triggered, this, [target] {
      errors::Guarded("01.071-01", [&] { platform::CurrentDialogs().ShellOpen(target); });
    });
  }
  help->addSeparator();
  QAction* other = help->addAction(U("Другие программы Ostrel"));
  other->setObjectName("MenuOtherPrograms");
  connect(other, &QAction::triggered, this, [this] {
    errors::Guarded("01.072-01", [&] {
      const auto page =
          platform::ResolveInside(setup_.paths.program_folder / "Language",
                                  lang::InterfaceLanguage() + "\\Help\\OtherSoft.htm");
      if (page && platform::IsFile(*page)) {
        platform::CurrentDialogs().ShellOpen(platform::PathToAnsi(*page));
      }
    });
  });

  // The version menu sits at the right end of the menu bar.
  auto* version_button = new QToolButton(bar);
  version_button->setObjectName("MenuVersion");
  version_button->setPopupMode(QToolButton::InstantPopup);
  version_button->setAutoRaise(true);
  auto* version_menu = new QMenu(version_button);
  version_menu->addAction(U("Написать отзыв о программе"))->setObjectName("MenuFeedback");
  version_menu->addAction(U("О программе"))->setObjectName("MenuAbout");
  version_button->setMenu(version_menu);
  bar->setCornerWidget(version_button, Qt::TopRightCorner);
  version_title_timer_.setSingleShot(true);
  version_title_timer_.setInterval(200);
  connect(&version_title_timer_, &QTimer::timeout, this,
          [version_button, this] { version_button->setText(version_title()); });
}

QString MainWindow::version_title() const {
  return "     Version: " + FromAnsi(shell::kProgramVersion) + "  \"Vodevir\"     ";
}

void MainWindow::BuildBottomBar() {
  auto* bar = new QWidget(centralWidget());
  bar->setObjectName("PanelBottom");
  bar->setFixedHeight(40);
  support_button_ =
      controls_.Add(new QPushButton(U("Поддержать программу..."), bar), "ButtonSupport");
  generate_button_ =
      controls_.Add(new QPushButton(U("Сгенерировать мод..."), bar), "ButtonGenerate");
  exit_button_ = controls_.Add(new QPushButton(U("Выход"), bar), "ButtonExit");
  support_button_->setGeometry(34, 6, 180, 28);
  generate_button_->setGeometry(kClientWidth - 400, 6, 200, 28);
  exit_button_->setGeometry(kClientWidth - 190, 6, 170, 28);
  connect(generate_button_, &QPushButton::clicked, this, &MainWindow::OpenGenerationWindow);
  support_button_->setEnabled(false);  // the support window is not built yet
  connect(exit_button_, &QPushButton::clicked, this, &QWidget::close);
  static_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(bar);
}

QLabel* MainWindow::AddHiddenLabel(const char* name, const char* text, const char* hint) {
  auto* label = controls_.Add(new QLabel(U(text), centralWidget()), name);
  if (hint) label->setToolTip(U(hint));
  label->hide();
  return label;
}

void MainWindow::BuildHiddenLabels() {
  AddHiddenLabel("MSG1",
                 "Программа просмотра 3D моделей уже запущена! \r\nЗакройте её для просмотра "
                 "другой модели.",
                 "Предупреждение...");
  AddHiddenLabel("MSG2",
                 "Имя исполняемого файла отличается от \"NifSkope.exe\", возможно вы выбрали не "
                 "ту программу =).",
                 nullptr);
  AddHiddenLabel("MSG3", "Вы действительно хотите удалить выбранный загрузочный экран?",
                 "Подтверждение...");
  AddHiddenLabel("Label44", "Укажите расположение программы NifSkope...",
                 "Программы|*.exe|Все файлы|*.*");
  AddHiddenLabel("Label45", "Укажите имя файла",
                 "Конфигурационные файлы Vornak.TQ|*.vkm|Все файлы|*.*");
  AddHiddenLabel("Label46", "Укажите имя файла",
                 "Конфигурационные файлы Vornak.TQ|*.vkm|Все файлы|*.*");
}

void MainWindow::InitInterface() {
  errors::Guarded("01.041-01", [&] {
    ShowPage(0);
    rules_.InitialiseControls();
    for (Page* page : page_list_) {
      if (OptionArea* area = page->option_area()) area->verticalScrollBar()->setValue(0);
    }
    for (int group = 0; group < 3; ++group) {
      if (new_page_->IsOpen(group)) new_page_->HeaderClicked(group);
    }
    shell::CurrentProgramSettings().info_lang = 0;
    description_english_->setChecked(true);
  });
}

void MainWindow::RunShellStartUp() {
  shell::StartUpHooks hooks;
  hooks.one_copy_check = [this] {
    shell::OneCopyEnvironment env;
    env.create_mutex = [](const std::string& name) { return platform::NamedMutex::Create(name); };
    env.other_window_exists = [] { return !platform::FindWindows(kWindowClass).empty(); };
    env.warn_newer_version = [this] {
      shell::ShowMessage(RefOf(this), shell::NewerVersionMessage(setup_.paths.program_folder),
                         std::string(shell::kProgramName) + " " +
                             std::string(shell::kProgramVersion) + " - Warning...",
                         platform::kMbSystemModal, "warning");
    };
    env.pause = std::chrono::milliseconds(setup_.probe_pause_ms);
    env.error_relaunch = shell::IsErrorRelaunch(setup_.arguments);
    held_mutexes_ = shell::CheckOneCopyLaunch(env).held;
  };
  hooks.unsupported_system = setup_.unsupported_system;
  shell_state_ = shell::RunShellStartUp(setup_.paths, hooks, setup_.system);
  shell::CurrentShellState() = shell_state_;
  if (shell_state_.system_not_supported) return;
  work_time_timer_.setInterval(60'000);
  connect(&work_time_timer_, &QTimer::timeout, this, [this] {
    shell::WriteWorkTimeRecord(shell::Locations().CountersFolder(),
                               platform::TickCount() - shell_state_.start_tick);
  });
  work_time_timer_.start();
}

void MainWindow::ShowPage(int page_index) {
  errors::Guarded("01.002-01", [&] {
    if (page_index < 0 || page_index >= pages_->count()) return;
    pages_->setCurrentIndex(page_index);
    const int entry = navigation_->EntryOfPage(page_index);
    if (entry >= 0) navigation_->Select(entry);
    switch (page_index) {
      case 1:
        change_page_->grid()->DescribeSelected();
        break;
      case 2:
        new_page_->DescribeOpenGroups();
        break;
      case 5:
        flags_page_->grid()->DescribeSelected();
        break;
      case 6:
        rules_.DllPageEntered(config::CivilizationLibrariesPresent(data_folder_));
        break;
      case 11:
        religions_page_->ShowPicturesFor(lang::IsRussian(lang::InterfaceLanguage()));
        break;
      default:
        break;
    }
  });
}

int MainWindow::current_page() const { return pages_->currentIndex(); }

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!first_show_done_) {
    first_show_done_ = true;
    FirstShow();
  }
}

void MainWindow::FirstShow() {
  errors::Guarded("01.044-01", [&] {
    platform::RemoveFileQuietly(setup_.paths.program_folder / "Settings" / "UARSettings.ini");
    shell::RemoveAutostartEntries();
    const std::string& language = lang::InterfaceLanguage();
    description_language_menu_->menuAction()->setVisible(language != "English" &&
                                                         language != "Russian");
    version_title_timer_.start();
    if (shell_state_.include_modules_ready) {
      shell::ProgramSettings& settings = shell::CurrentProgramSettings();
      settings = shell::ReadProgramSettings(
          setup_.paths.program_folder / "Settings" / "Vornak.ini", shell::DefaultGameLookup(),
          [this](int repairs, int reads) {
            shell::ShowSettingsRepairMessage(RefOf(this), repairs, reads);
          });
      if (!settings.game_folder.empty()) {
        settings.game_folder = platform::WithTrailingSeparator(settings.game_folder);
      }
      (settings.info_lang == 1 ? description_russian_ : description_english_)->setChecked(true);
      GameVersionCheck();
      if (language == "Russian") {
        settings.info_lang = 1;
        description_russian_->setChecked(true);
      }
      support_button_->move(language == "Russian" || language == "English" ? 34 : 54,
                            support_button_->y());
      info_page_->set_russian_links(lang::IsRussian(language));
      FillStatistics();
      if (settings.auto_config &&
          config::LoadAutoConfiguration(rules_, setup_.paths.program_folder, ReadContext())) {
        GameVersionCheck();
      }
      shell_state_.include_modules_ready = false;
    }
    shell::RemoveAutostartEntries();
  });
}

void MainWindow::GameVersionCheck() {
  errors::Guarded("01.001-02", [&] {
    shell::ProgramSettings& settings = shell::CurrentProgramSettings();
    if (!settings.game_folder.empty()) {
      settings.game_folder = platform::WithTrailingSeparator(settings.game_folder);
    }
    std::optional<std::string> version;
    if (shell::GameExecutableExists(settings.game_folder)) {
      version = shell::GameExecutableVersion(settings.game_folder);
    }
    rules_.GameVersionCheck(version);
  });
}

void MainWindow::FillStatistics() {
  errors::Guarded("01.045-01", [&] {
    Statistics statistics;
    statistics.xml_version =
        config::FirstLineOrUnknown(data_folder_ / "XML" / "Civ4_XML_Version.ini");
    statistics.data_version = config::FirstLineOrUnknown(data_folder_ / "DataVersion.ini");
    statistics.loading_screens = static_cast<int>(loading_screens_.size());
    statistics.replacement_models = catalogue_statistics_.replacement_models;
    statistics.new_unit_models = catalogue_statistics_.new_unit_models;
    statistics.replacement_flags = catalogue_statistics_.flags;
    statistics.replaceable_units = catalogue_statistics_.replaceable_units;
    statistics.new_units = catalogue_statistics_.new_units;
    const std::string& game_folder = shell::CurrentProgramSettings().game_folder;
    statistics.game_found = shell::GameExecutableExists(game_folder);
    statistics.game_version = shell::GameExecutableVersion(game_folder);
    info_page_->ShowStatistics(statistics);
  });
}

void MainWindow::OpenProgramSettings() {
  errors::Guarded("01.046-01", [&] {
    {
      ProgramSettingsWindow window(this);
      platform::ModalWindowScope modal;
      window.exec();
    }
    FillStatistics();
    GameVersionCheck();
  });
}

void MainWindow::OpenGenerationWindow() {
  errors::Guarded("01.047-01", [&] {
    {
      GenerationWindow window(*this, shell::SpecialFolderPath(4));
      platform::ModalWindowScope modal;
      window.exec();
    }
    show();
    centralWidget()->setFixedSize(kClientWidth, kClientHeight);
  });
}

void MainWindow::HandleWindowMessage(int message) {
  if (message == kCloseMessage) {
    errors::Guarded("St.001-01", [&] {
      // A modal window finishes first; the close comes as soon as it is gone.
      if (platform::IsModalWindowOpen() || QApplication::activeModalWidget()) {
        QTimer::singleShot(200, this, [this] { HandleWindowMessage(kCloseMessage); });
        return;
      }
      close();
    });
  } else if (message == kFrontMessage) {
    errors::Guarded("St.002-01", [&] {
      platform::CurrentDialogs().Beep();
      if (isMinimized()) showNormal();
      raise();
      activateWindow();
    });
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  Shutdown();
  event->accept();
}

void MainWindow::Shutdown() {
  if (shut_down_ || shell_state_.system_not_supported) return;
  shut_down_ = true;
  errors::Guarded("01.043-01", [&] {
    work_time_timer_.stop();
    shell::RunShellClose(setup_.paths, shell_state_);
    shell::RemoveAutostartEntries();
    shell::WriteProgramSettings(setup_.paths.program_folder / "Settings" / "Vornak.ini",
                                shell::CurrentProgramSettings());
    if (shell::CurrentProgramSettings().auto_config) {
      config::SaveAutoConfiguration(window_controls_, setup_.paths.program_folder);
    }
  });
}

void MainWindow::ScrollCurrentPage(int notches) {
  Page* page = page_list_[static_cast<size_t>(current_page())];
  if (OptionArea* area = page->option_area()) area->ScrollNotches(notches);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return QMainWindow::eventFilter(watched, event);
  if (event->type() == QEvent::Wheel) {
    // Every notch scrolls the page's option area one step, whatever has the focus; the wheel
    // event still reaches its control. An event passed on to the parents is counted once.
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const int delta = wheel->angleDelta().y();
    if (delta != 0 && (wheel != last_wheel_ || wheel->timestamp() != last_wheel_time_)) {
      last_wheel_ = wheel;
      last_wheel_time_ = wheel->timestamp();
      ScrollCurrentPage(delta > 0 ? 1 : -1);
    }
  } else if (event->type() == QEvent::Enter && !navigation_->isAncestorOf(widget) &&
             widget != navigation_) {
    navigation_->ResetHighlight();
    info_page_->ResetLinks();
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace ui
