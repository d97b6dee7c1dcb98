#include "ui/configurator/generation_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QToolButton>
#include <QVBoxLayout>

#include "errors/error_processor.h"
#include "errors/guard.h"
#include "generation/mod_folders.h"
#include "generation/pipeline.h"
#include "generation/stage_table.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/message_box.h"
#include "shell/program_settings.h"
#include "ui/configurator/ansi.h"
#include "ui/configurator/generation_session.h"
#include "ui/configurator/main_window.h"
#include "ui/configurator/qt_dialogs.h"

namespace ui {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QWidget* HeaderedPage(const QString& header, QWidget* parent, QVBoxLayout*& body) {
  auto* page = new QWidget(parent);
  body = new QVBoxLayout(page);
  body->setContentsMargins(4, 4, 4, 4);
  auto* bar = new QLabel(header, page);
  bar->setStyleSheet(
      "background: palette(highlight); color: palette(highlighted-text);"
      "font-weight: bold; padding: 2px;");
  body->addWidget(bar);
  return page;
}

}  // namespace

GenerationWindow::GenerationWindow(MainWindow& main_window, std::filesystem::path desktop_folder)
    : QDialog(&main_window), main_window_(main_window), desktop_folder_(std::move(desktop_folder)) {
  setObjectName("TForm4");
  setWindowTitle(U("Генерация мода..."));
  setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
  setFixedSize(485, 229);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  pages_ = controls_.Add(new QStackedWidget(this), "PageControl1");
  layout->addWidget(pages_, 1);

  QVBoxLayout* body = nullptr;
  QWidget* warnings = HeaderedPage(U("Ошибки в настройках"), pages_, body);
  memo_ = controls_.Add(new QPlainTextEdit(warnings), "Memo1");
  memo_->setReadOnly(true);
  body->addWidget(memo_);
  pages_->addWidget(warnings);

  QWidget* settings = HeaderedPage(U("Настройки генерации"), pages_, body);
  auto* grid = new QGridLayout();
  grid->addWidget(new QLabel(U("Путь для генерации:"), settings), 0, 0);
  target_ = controls_.Add(new QComboBox(settings), "NTCComboBox1");
  target_->addItem(U("...\\Civilization 4\\Beyond the Sword\\Mods\\"));
  target_->addItem(U("...\\My Games\\Beyond the Sword\\Mods\\"));
  grid->addWidget(target_, 0, 1);
  grid->addWidget(new QLabel(U("Название папки:"), settings), 1, 0);
  folder_name_ = controls_.Add(new QLineEdit(settings), "NTCEdit1");
  grid->addWidget(folder_name_, 1, 1);
  body->addLayout(grid);
  auto* icon_row = new QHBoxLayout();
  icons_ = new QButtonGroup(this);
  icons_->setExclusive(true);
  for (int icon = 0; icon < 7; ++icon) {
    auto* button = controls_.Add(new QToolButton(settings),
                                 QString("SpeedButton%1").arg(icon + 1).toLatin1().constData());
    button->setCheckable(true);
    button->setFixedSize(34, 34);
    const std::string name = icon == 0 ? "Vornak.ico" : "Vornak" + std::to_string(icon) + ".ico";
    const auto file = platform::ResolveCase(main_window.data_folder() / "Interface" / name);
    button->setIcon(QIcon(QString::fromStdString(file.string())));
    button->setIconSize(QSize(28, 28));
    icons_->addButton(button, icon);
    icon_row->addWidget(button);
  }
  icons_->button(0)->setChecked(true);
  icon_row->addStretch();
  body->addLayout(icon_row);
  shortcut_ = controls_.Add(
      new QCheckBox(U("Создать ярлык на рабочем столе для запуска мода"), settings), "CheckBox1");
  shortcut_->setChecked(true);
  body->addWidget(shortcut_);
  body->addStretch();
  pages_->addWidget(settings);

  QWidget* progress = HeaderedPage(U("Генерация мода"), pages_, body);
  body->addWidget(new QLabel(U("Индикация процесса генерации:"), progress));
  elapsed_ = controls_.Add(new QLabel(progress), "NTCLabel4");
  elapsed_->setToolTip(U("Прошло времени:"));
  elapsed_->setText(elapsed_->toolTip());
  body->addWidget(elapsed_);
  auto* note = new QLabel(
      U("Возможна длительная обработка отдельных элементов, пожалуйста, подождите."), progress);
  note->setWordWrap(true);
  body->addWidget(note);
  gauge_ = controls_.Add(new QProgressBar(progress), "Gauge1");
  gauge_->setTextVisible(false);
  body->addWidget(gauge_);
  body->addStretch();
  pages_->addWidget(progress);

  translate_page_ = new QWidget(pages_);
  pages_->addWidget(translate_page_);
  AddMessage("MSG1",
             "Задан не верный путь к папке Civilization 4, зайдите в настройки программы и "
             "измените его.",
             "Задан не верный путь к папке настроек, зайдите в настройки программы и измените "
             "его.");
  AddMessage("MSG2",
             "Папка мода уже существует! Перезаписать заново? \r\n\r\nВы можете отказаться и "
             "изменить название папки.",
             "Подтверждение...");
  AddMessage("MSG3", "Генерация мода окончена.\r\n\r\nЖелаем интересной игры! =)", "Информация...");
  AddMessage("MSG4",
             "Включены авиационные юниты вертикального взлета и посадки и не включен ни один "
             "носитель для них (не критическая ошибка).",
             "Включены морские юниты с возможностью нести авиационные юниты вертикального взлета "
             "и посадки и не включен ни один из них (не критическая ошибка).");
  AddMessage("MSG5", "Отсутствуют файлы конфигурации:",
             "Не выбрано ни одного изменения, сгенерированный мод не будет отличаться от "
             "оригинальной игры");
  AddMessage("MSG6",
             "Выбрана возможность улучшать Капер до Рейдерской ПЛ и не добавлена Рейдерской ПЛ (не "
             "критическая ошибка).",
             "Выбрана возможность улучшать Эсминец до БПК и не добавлен БПК (не критическая "
             "ошибка).");
  AddMessage("MSG7", "", nullptr);
  AddMessage("MSG8",
             "Включены атомные бомбардировщики и не включен ни один DLL (SDK) компонент. "
             "\r\nАтомные бомбардировщики будут отключены (не критическая ошибка).",
             nullptr);
  AddMessage("MSG9", "",
             "На вкладке \"Скорости игры\" включены новые скорости, но не отключено такое же "
             "количество сложностей");

  auto* buttons = new QHBoxLayout();
  buttons->setContentsMargins(6, 4, 6, 6);
  close_button_ = controls_.Add(new QPushButton(U("Закрыть"), this), "Button1");
  auto* help = controls_.Add(new QPushButton("?", this), "ButtonHelp");
  help->setEnabled(false);  // the help pages come with the language packs
  minimise_button_ = controls_.Add(new QPushButton(U("Свернуть"), this), "Button3");
  minimise_button_->hide();
  minimise_button_->setEnabled(false);
  next_button_ = controls_.Add(new QPushButton(U("Далее >>"), this), "Button2");
  next_button_->setEnabled(false);
  buttons->addWidget(close_button_);
  buttons->addWidget(help);
  buttons->addStretch();
  buttons->addWidget(minimise_button_);
  buttons->addWidget(next_button_);
  layout->addLayout(buttons);
  connect(close_button_, &QPushButton::clicked, this,
          [this] { errors::Guarded("03.017-01", [&] { close(); }); });
  connect(minimise_button_, &QPushButton::clicked, this,
          [this] { errors::Guarded("03.017-01", [&] { showMinimized(); }); });
  connect(next_button_, &QPushButton::clicked, this, &GenerationWindow::Next);

  errors::Guarded("03.016-01", [&] {
    folder_name_->setText(FromAnsi(generation::DefaultFolderName(main_window.TakeSnapshot())));
    memo_->setPlainText(U("Обнаружены ошибки в настройках, исправьте их перед генерацией:\n "));
    pages_->setCurrentIndex(kSettings);
    next_button_->setEnabled(true);
    target_->setCurrentIndex(0);
  });
  move(main_window.geometry().center() - rect().center());
}

GenerationWindow::~GenerationWindow() {
  if (worker_.joinable()) worker_.join();
}

QLabel* GenerationWindow::AddMessage(const char* name, const char* caption, const char* hint) {
  auto* label = controls_.Add(new QLabel(U(caption), translate_page_), name);
  if (hint) label->setToolTip(U(hint));
  label->hide();
  return label;
}

void GenerationWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  errors::Guarded("03.016-02", [&] {
    if (!checked_) {
      checked_ = true;
      RunChecks();
    }
    main_window_.hide();
  });
}

void GenerationWindow::RunChecks() {
  errors::Guarded("03.006-01", [&] {
    generation::CheckInputs inputs = CheckInputsOf(main_window_);
    inputs.texts = CheckTextsOf(controls_);
    const generation::CheckResult result = generation::CheckWarnings(inputs);
    shell::ProgramSettings& settings = shell::CurrentProgramSettings();
    if (result.game_folder)
      settings.game_folder = platform::WithTrailingSeparator(*result.game_folder);
    if (result.game_settings_folder) settings.game_settings_folder = *result.game_settings_folder;
    QStringList lines;
    for (const auto& line : result.memo) lines << FromAnsi(line).replace("\r\n", "\n");
    memo_->setPlainText(lines.join("\n"));
    next_button_->setEnabled(!result.blocking);
    pages_->setCurrentIndex(result.warnings_page ? kWarnings : kSettings);
    for (int icon = 0; icon < 7; ++icon) {
      icons_->button(icon)->setEnabled(result.icons[static_cast<size_t>(icon)]);
    }
    atomic_bombers_ = result.atomic_bombers;
  });
}

void GenerationWindow::Next() {
  errors::Guarded("03.013-01", [&] {
    if (pages_->currentIndex() == kWarnings) {
      pages_->setCurrentIndex(kSettings);
      return;
    }
    if (pages_->currentIndex() == kSettings && !running_) StartRun();
  });
}

void GenerationWindow::StartRun() {
  const std::string name = ToAnsi(folder_name_->text());
  const std::string warning_caption = platform::Ansi("Предупреждение...");
  if (const auto problem = generation::FolderNameProblem(name)) {
    shell::ShowMessage(RefOf(this), *problem, warning_caption, platform::kMbSystemModal, "warning");
    return;
  }
  PrepareControlsForRun(main_window_, atomic_bombers_);
  atomic_bombers_ = false;
  const auto target = target_->currentIndex() == 1 ? generation::Target::kSettingsFolder
                                                   : generation::Target::kGameFolder;
  generation::GenerationInputs inputs = GenerationInputsOf(
      main_window_, name, target, icons_->checkedId() < 0 ? 0 : icons_->checkedId(),
      shortcut_->isChecked() && shortcut_->isEnabled(), desktop_folder_);
  // The Mods folders stay locked from here to the end of the run, so the question names what
  // the run will really replace.
  generation::RunPlan plan = generation::PrepareGeneration(inputs);
  if (plan.problem) {
    shell::ShowMessage(RefOf(this), *plan.problem, warning_caption, platform::kMbSystemModal,
                       "warning");
    return;
  }
  const generation::ModFolders& folders = plan.folders;
  if (folders.exists) {
    const QLabel* question = controls_.FindAs<QLabel>("MSG2");
    std::string text = ToAnsi(question->text()) + "\r\n";
    for (const auto& folder : folders.replaced) text += "\r\n" + platform::PathToAnsi(folder);
    if (!folders.launcher.empty()) text += "\r\n" + platform::PathToAnsi(folders.launcher);
    const int answer =
        shell::ShowMessage(RefOf(this), text, ToAnsi(question->toolTip()),
                           platform::kMbOkCancel | platform::kMbSystemModal, "quest");
    if (answer != platform::kIdOk) return;
  }

  running_ = true;
  setWindowTitle("0% - Vornak.TQ");
  close_button_->setEnabled(false);
  close_button_->hide();
  minimise_button_->show();
  minimise_button_->setEnabled(true);
  next_button_->setEnabled(false);
  pages_->setCurrentIndex(kProgress);
  gauge_->setValue(0);
  log_ = std::make_unique<generation::RunLog>([this](const generation::Progress& progress) {
    QMetaObject::invokeMethod(
        this, [this, progress] { ShowProgress(progress); }, Qt::QueuedConnection);
  });
  gauge_->setMaximum(generation::GaugeMaximum(inputs.exact_components));
  worker_ = std::thread([this, inputs = std::move(inputs), plan = std::move(plan)]() mutable {
    result_ = generation::RunGeneration(inputs, std::move(plan), *log_);
    QMetaObject::invokeMethod(
        this, [this] { FinishRun(); }, Qt::QueuedConnection);
  });
}

void GenerationWindow::ShowProgress(const generation::Progress& progress) {
  errors::Guarded("03.009-01", [&] {
    gauge_->setMaximum(progress.maximum);
    gauge_->setValue(progress.position);
    const std::string duration = platform::DurationText(progress.elapsed_ms);
    if (duration != "00:00:00") {
      elapsed_->setText(elapsed_->toolTip() + " " + FromAnsi(duration));
      const int percent = progress.maximum > 0 ? progress.position * 100 / progress.maximum : 0;
      setWindowTitle(QString("%1% - Vornak.TQ").arg(percent));
    }
  });
}

void GenerationWindow::FinishRun() {
  if (worker_.joinable()) worker_.join();
  running_ = false;
  const generation::Progress progress = log_->progress();
  gauge_->setValue(gauge_->maximum());
  elapsed_->setText(elapsed_->toolTip() + " " +
                    FromAnsi(platform::DurationText(progress.elapsed_ms)));
  close_button_->show();
  close_button_->setEnabled(true);
  minimise_button_->hide();
  minimise_button_->setEnabled(false);
  if (isMinimized()) showNormal();
  const int problems = result_.errors_reported + static_cast<int>(log_->missing_sources().size());
  if (result_.succeeded) {
    const QLabel* done = controls_.FindAs<QLabel>("MSG3");
    std::string text = ToAnsi(done->text());
    if (problems > 0) {
      // The end message does not claim a clean run over problems.
      text = platform::FormatMessage(
          platform::Ansi("Генерация мода окончена, но с проблемами: %d.\r\nОтсутствующих "
                         "исходных файлов: %d, ошибок: %d. Подробности в журнале ошибок:\r\n%s"),
          {std::to_string(problems), std::to_string(log_->missing_sources().size()),
           std::to_string(result_.errors_reported),
           platform::PathToAnsi(errors::Processor().LogPath())});
    }
    shell::ShowMessage(RefOf(this), text, ToAnsi(done->toolTip()), platform::kMbSystemModal,
                       problems > 0 ? "warning" : "info");
    setWindowTitle("Vornak.TQ");
    emit RunEnded();
    close();
    return;
  }
  // A failed run leaves the previous mod as it was (else the failure says where it is); the
  // window can be closed.
  shell::ShowMessage(RefOf(this),
                     platform::Ansi(result_.previous_mod_unchanged
                                        ? "Генерация мода прервана, прежний мод не изменён: "
                                        : "Генерация мода прервана: ") +
                         result_.failure,
                     platform::Ansi("Ошибка..."), platform::kMbSystemModal, "error");
  setWindowTitle("Vornak.TQ");
  emit RunEnded();
}

void GenerationWindow::closeEvent(QCloseEvent* event) {
  // A run cannot be cancelled; the window stays until it ends.
  if (running_) {
    event->ignore();
    return;
  }
  errors::Guarded("03.014-01", [&] { main_window_.show(); });
  event->accept();
}

}  // namespace ui
