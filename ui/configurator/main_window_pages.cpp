// The main window's pages and what they hold: the option pages, the unit grids, the loading
// screens, and the configuration commands that read and write them.
#include <QFileDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

#include "catalogue/component_packs.h"
#include "catalogue/description_panel.h"
#include "catalogue/loading_screens.h"
#include "catalogue/unit_catalogue.h"
#include "config/configuration_commands.h"
#include "errors/guard.h"
#include "lang/interface_language.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "shell/message_box.h"
#include "shell/program_settings.h"
#include "ui/configurator/ansi.h"
#include "ui/configurator/main_window.h"
#include "ui/configurator/pages/dll_page.h"
#include "ui/configurator/pages/grid_pages.h"
#include "ui/configurator/pages/info_page.h"
#include "ui/configurator/pages/options_pages.h"
#include "ui/configurator/qt_dialogs.h"
#include "ui/widgets/value_list_editor.h"

namespace ui {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A file filter as the hidden labels keep it ("Files|*.vkm|All files|*.*") for the Qt dialogs
// ("Files (*.vkm);;All files (*.*)").
QString DialogFilter(const QString& hint) {
  const QStringList parts = hint.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + " (" + parts[i + 1] + ")";
  }
  return filters.join(";;");
}

}  // namespace

void MainWindow::BuildPages() {
  auto* central = new QWidget(this);
  central->setFixedSize(kClientWidth, kClientHeight);
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* row = new QHBoxLayout();
  outer->addLayout(row, 1);
  navigation_ = new NavigationList(NavigationEntries(), central);
  navigation_->setFixedWidth(200);
  row->addWidget(navigation_);
  pages_ = controls_.Add(new QStackedWidget(central), "PageControl1");
  row->addWidget(pages_, 1);

  GridPageServices services;
  services.describe = [this](int kind, int row, const std::string& value) {
    catalogue::DescriptionRequest request;
    request.kind = kind;
    request.row = row;
    request.value = value;
    request.data_folder = data_folder_;
    request.info_lang = shell::CurrentProgramSettings().info_lang;
    const std::string& viewer = shell::CurrentProgramSettings().viewer_path;
    request.viewer_exists = !viewer.empty() && platform::IsFile(platform::PathFromUserText(viewer));
    return catalogue::DescribeSelection(request);
  };
  services.changes_ignored = [this] {
    return starting_up_ || config::CurrentConfiguration().loading;
  };
  services.report = [](const char* code) {
    errors::Guarded(code, [] { throw std::runtime_error("a description could not be shown"); });
  };

  info_page_ = new InfoPage(controls_, pages_);
  change_page_ = new GridPage("Change", "Замена моделей", catalogue::kStandardUnits, controls_,
                              rules_, services, pages_);
  new_page_ = new NewUnitsPage(controls_, services, pages_);
  lines_page_ = new LinesPage(controls_, rules_, pages_);
  flags_page_ = new GridPage("Inface", "Изменение флагов", catalogue::kCivilizations, controls_,
                             rules_, services, pages_);
  dll_page_ = new DllPage(controls_, rules_, pages_);
  interface_page_ = new InterfacePage(controls_, rules_, pages_);
  religions_page_ = new ReligionsPage(controls_, rules_, pages_);
  auto* unused = new Page("TabSheet9", "", pages_);  // no entry leads here
  auto* leaders = new Page("Clid", U("Лидеры"), pages_);
  leaders->body()->addWidget(new QLabel(
      U("Дополнительные лидеры устанавливаются пакетами дополнений (Packrane.TQ)."), leaders));
  leaders->body()->addStretch();
  auto* external = new Page("AEC", U("Внешние компоненты"), pages_);
  external->body()->addStretch();
  page_list_ = {
      info_page_,
      change_page_,
      new_page_,
      lines_page_,
      new OptionsPage("Other", "Игровые настройки", controls_, rules_, pages_),
      flags_page_,
      dll_page_,
      interface_page_,
      unused,
      leaders,
      new OptionsPage("Speed", "Скорости игры", controls_, rules_, pages_),
      religions_page_,
      new OptionsPage("Fut", "Будущее", controls_, rules_, pages_),
      external,
  };
  for (Page* page : page_list_) pages_->addWidget(page);
  connect(navigation_, &NavigationList::PageChosen, this, &MainWindow::ShowPage);

  QListWidget* screens = interface_page_->screens();
  connect(screens, &QListWidget::currentRowChanged, this, [this](int row) {
    // What the rules select arrives through LoadingScreenSelected; this is the user's choice.
    if (row >= 0 && row != selected_loading_screen_) LoadingScreenSelected(row);
  });
  connect(interface_page_->delete_button(), &QPushButton::clicked, this,
          &MainWindow::AskToDeleteLoadingScreen);
  setCentralWidget(central);
}

void MainWindow::FillGrids() {
  errors::Guarded("01.003-01", [&] {
    const catalogue::CatalogueScan scan = catalogue::ScanCatalogue(data_folder_);
    catalogue_statistics_ = scan.statistics;
    for (int kind = 0; kind < catalogue::kKindCount; ++kind) {
      auto* grid = controls_.FindAs<ValueListEditor>(catalogue::EditorName(kind));
      if (!grid) continue;
      grid->ClearRows();
      for (const auto& row : scan.grids[static_cast<size_t>(kind)]) {
        const int number =
            grid->AddRow(FromAnsi(row.key), FromAnsi(row.label), FromAnsi(row.value));
        QStringList pick_list;
        for (const auto& item : row.pick_list) pick_list << FromAnsi(item);
        if (pick_list.isEmpty()) pick_list << FromAnsi(catalogue::DefaultValue(kind));
        grid->SetPickList(number, pick_list);
        grid->SetRowReadOnly(number, !row.HasChoice());
      }
    }
    for (const auto& pack : catalogue::PackOptionStates(data_folder_)) {
      window_controls_.SetEnabled(pack.check_box, pack.enabled);
    }
  });
}

void MainWindow::FillLoadingScreens() {
  errors::Guarded("01.004-01", [&] {
    loading_screens_ = catalogue::ScanLoadingScreens(data_folder_);
    QListWidget* list = interface_page_->screens();
    const QSignalBlocker blocker(list);
    list->clear();
    for (const auto& name : loading_screens_) list->addItem(FromAnsi(name));
    selected_loading_screen_ = -1;
    rules_.RefreshLoadingScreenButton();
  });
}

void MainWindow::LoadingScreenSelected(int index) {
  errors::Guarded("01.005-01", [&] {
    if (index < 0 || index >= static_cast<int>(loading_screens_.size())) return;
    QListWidget* list = interface_page_->screens();
    {
      const QSignalBlocker blocker(list);
      list->setCurrentRow(index);
    }
    selected_loading_screen_ = index;
    const auto file =
        catalogue::LoadingScreenPreview(data_folder_, loading_screens_[static_cast<size_t>(index)]);
    QPixmap picture(QString::fromStdString(file.string()));
    // A picture that cannot be read leaves the previous one and is reported.
    if (picture.isNull()) throw std::runtime_error("the loading screen's preview cannot be read");
    QLabel* preview = interface_page_->preview();
    preview->setPixmap(
        picture.scaled(preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  });
}

void MainWindow::AskToDeleteLoadingScreen() {
  errors::Guarded("01.006-01", [&] {
    const QLabel* question = controls_.FindAs<QLabel>("MSG3");
    const int answer =
        shell::ShowMessage(RefOf(this), ToAnsi(question->text()), ToAnsi(question->toolTip()),
                           platform::kMbYesNo | platform::kMbSystemModal, "quest");
    if (answer != platform::kIdNo) DeleteSelectedLoadingScreen();
  });
}

void MainWindow::DeleteSelectedLoadingScreen() {
  errors::Guarded("01.007-01", [&] {
    const int index = interface_page_->screens()->currentRow();
    if (index < 0 || index >= static_cast<int>(loading_screens_.size())) return;
    // The entry goes only when its files are gone, so the list never hides a screen that stays.
    if (!catalogue::DeleteLoadingScreenFiles(data_folder_,
                                             loading_screens_[static_cast<size_t>(index)])) {
      throw std::runtime_error("the loading screen's files could not be deleted");
    }
    const catalogue::LoadingScreenList after =
        catalogue::RemoveLoadingScreenEntry(loading_screens_, index);
    loading_screens_ = after.entries;
    QListWidget* list = interface_page_->screens();
    {
      const QSignalBlocker blocker(list);
      delete list->takeItem(index);
    }
    selected_loading_screen_ = -1;
    if (after.selected >= 0) {
      LoadingScreenSelected(after.selected);
    } else {
      interface_page_->preview()->clear();
    }
    rules_.RefreshLoadingScreenButton();
    FillStatistics();
  });
}

void MainWindow::RefreshGridDescription(std::string_view grid) {
  const int group = new_page_->GroupOfGrid(grid);
  if (group >= 0) new_page_->grid(group)->DescribeSelected();
}

void MainWindow::ConfigurationRead() {
  if (current_page() == 1) change_page_->grid()->DescribeSelected();
  if (current_page() == 5) flags_page_->grid()->DescribeSelected();
}

config::ReadContext MainWindow::ReadContext() const {
  config::ReadContext context;
  // A stored value is taken only when it is one of the row's choices.
  context.accept = [this](std::string_view grid, std::string_view identifier,
                          std::string_view value) {
    auto* editor = controls_.FindAs<ValueListEditor>(grid);
    if (!editor) return false;
    const int row = editor->FindRow(FromAnsi(identifier));
    if (row == 0) return false;
    std::vector<std::string> choices;
    for (const auto& item : editor->PickList(row)) choices.push_back(ToAnsi(item));
    return catalogue::AcceptedValue(choices, value).has_value();
  };
  context.group_open = [this](std::string_view grid) {
    const int group = new_page_->GroupOfGrid(grid);
    return group >= 0 && new_page_->IsOpen(group);
  };
  return context;
}

bool MainWindow::SaveConfigurationTo(const std::filesystem::path& chosen) {
  return errors::Guarded("01.061-01", [&] {
    return config::SaveConfigurationAs(window_controls_, chosen).has_value();
  });
}

bool MainWindow::LoadConfigurationFrom(const std::filesystem::path& chosen) {
  return errors::Guarded("01.062-01", [&] {
    const std::string& game_folder = shell::CurrentProgramSettings().game_folder;
    std::optional<std::string> version;
    if (shell::GameExecutableExists(game_folder))
      version = shell::GameExecutableVersion(game_folder);
    return config::LoadConfiguration(rules_, chosen, ReadContext(), version);
  });
}

void MainWindow::SaveConfigurationAs() {
  errors::Guarded("01.063-01", [&] {
    const auto folder = config::ConfigurationFolder(setup_.paths.program_folder);
    const QLabel* label = controls_.FindAs<QLabel>("Label45");
    QFileDialog dialog(this, label->text(), QString::fromStdString(folder.string()),
                       DialogFilter(label->toolTip()));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("vkm");
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(FromAnsi(config::ProposedConfigurationName(platform::Now())));
    platform::ModalWindowScope modal;
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
      const std::filesystem::path chosen = config::WithConfigurationExtension(
          std::filesystem::path(dialog.selectedFiles().front().toStdString()));
      if (!config::ConfirmReplace(platform::CurrentDialogs(), chosen)) continue;
      SaveConfigurationTo(chosen);
      break;
    }
  });
}

void MainWindow::LoadConfiguration() {
  errors::Guarded("01.062-01", [&] {
    const auto folder = config::ConfigurationFolder(setup_.paths.program_folder);
    const QLabel* label = controls_.FindAs<QLabel>("Label46");
    QString chosen;
    {
      platform::ModalWindowScope modal;
      chosen =
          QFileDialog::getOpenFileName(this, label->text(), QString::fromStdString(folder.string()),
                                       DialogFilter(label->toolTip()));
    }
    if (!chosen.isEmpty()) LoadConfigurationFrom(chosen.toStdString());
  });
}

config::OptionSnapshot MainWindow::TakeSnapshot() const {
  return config::TakeSnapshot(window_controls_, lang::InterfaceLanguage());
}

}  // namespace ui
