#include "ui/configurator/pages/info_page.h"

#include <QEvent>

#include "platform/dialogs.h"
#include "ui/configurator/ansi.h"

namespace ui {
namespace {

// The mod's pages; the maker's addresses are placeholders of our own.
struct LinkInfo {
  const char* name;
  const char* caption;
  const char* russian;
  const char* english;
};
constexpr LinkInfo kLinks[] = {
    {"LinkGuide", "Руководство по настройке мода", "https://vornak-tq.example.org/ru/guide",
     "https://vornak-tq.example.org/en/guide"},
    {"LinkAddons", "Список дополнений к моду", "https://vornak-tq.example.org/ru/addons",
     "https://vornak-tq.example.org/en/addons"},
    {"LinkCompatible", "Список совместимых модов", "https://vornak-tq.example.org/ru/compatible",
     "https://vornak-tq.example.org/en/compatible"},
    {"LinkForum", "Форум разработки мода", "https://forum.vornak-tq.example.org/ru",
     "https://forum.vornak-tq.example.org/en"},
    {"LinkFaq", "Онлайн FAQ", "https://vornak-tq.example.org/ru/faq",
     "https://vornak-tq.example.org/en/faq"},
    {"LinkComponents", "Список дополнительных компонентов",
     "https://vornak-tq.example.org/ru/components", "https://vornak-tq.example.org/en/components"},
    {"LinkMail", "ostrel@vornak-tq.example.org", "mailto:ostrel@vornak-tq.example.org",
     "mailto:ostrel@vornak-tq.example.org"},
};

void SetLinkColour(QLabel* label, const char* colour) {
  label->setStyleSheet(QString("color: %1; text-decoration: underline;").arg(colour));
}

}  // namespace

InfoPage::InfoPage(ControlRegistry& controls, QWidget* parent)
    : Page("Info", QString::fromUtf8("Описание"), parent) {
  logo_ = new LogoStrip(this);
  body()->insertWidget(0, logo_);

  auto* links = new QWidget(this);
  auto* links_layout = new QVBoxLayout(links);
  for (const auto& link : kLinks) {
    auto* label = controls.Add(new QLabel(QString::fromUtf8(link.caption), links), link.name);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    SetLinkColour(label, "blue");
    links_layout->addWidget(label);
    links_.push_back({label, QString::fromUtf8(link.russian), QString::fromUtf8(link.english)});
  }
  body()->addWidget(links);

  auto* grid = new QWidget(this);
  auto* grid_layout = new QVBoxLayout(grid);
  grid_layout->setSpacing(2);
  const std::pair<const char*, const char*> kStatistics[] = {
      {"LabelXmlVersion", "Базовая версия файлов:"},
      {"LabelDataVersion", "Версия DATA файлов:"},
      {"LabelExactCount", "Количество внешних компонентов:"},
      {"LabelLoadingScreens", "Количество загрузочных экранов:"},
      {"LabelGameVersion", "Версия EXE файла Цивилизации:"},
      {"LabelReplaceModels", "Количество моделей для замены:"},
      {"LabelNewModels", "Количество моделей для новых юнитов:"},
      {"LabelAllModels", "Всего моделей:"},
      {"LabelReplaceUnits", "Количество юнитов для замены:"},
      {"LabelNewUnits", "Количество новых юнитов:"},
      {"LabelAllUnits", "Всего юнитов:"},
      {"LabelFlags", "Количество флагов для замены:"},
  };
  for (const auto& [name, text] : kStatistics) {
    auto* label = controls.Add(new QLabel(QString::fromUtf8(text), grid), name);
    // The base text lives in the hint so that a language pack translates it.
    label->setToolTip(QString::fromUtf8(text));
    grid_layout->addWidget(label);
    statistics_.push_back(label);
  }
  body()->addWidget(grid);
  body()->addStretch();
}

void InfoPage::ShowStatistics(const Statistics& s) {
  const auto show = [this](size_t index, const QString& value) {
    QLabel* label = statistics_[index];
    label->setText(label->toolTip() + " " + value);
  };
  show(0, FromAnsi(s.xml_version));
  show(1, FromAnsi(s.data_version));
  show(2, QString("%1 (%2)").arg(s.exact_shown).arg(s.exact_found));
  show(3, QString::number(s.loading_screens));
  if (s.game_found) show(4, FromAnsi(s.game_version));
  show(5, QString("%1 + 53").arg(s.replacement_models));
  show(6, QString("%1 + 253").arg(s.new_unit_models));
  show(7, QString::number(s.replacement_models + s.new_unit_models + 306));
  show(8, QString::number(s.replaceable_units));
  show(9, QString("%1 + 51").arg(s.new_units));
  show(10, QString::number(s.replaceable_units + s.new_units + 51));
  show(11, QString::number(s.replacement_flags));
}

void InfoPage::ResetLinks() {
  for (const auto& link : links_) SetLinkColour(link.label, "blue");
}

bool InfoPage::eventFilter(QObject* watched, QEvent* event) {
  for (const auto& link : links_) {
    if (watched != link.label) continue;
    if (event->type() == QEvent::Enter) SetLinkColour(link.label, "red");
    if (event->type() == QEvent::Leave) SetLinkColour(link.label, "blue");
    if (event->type() == QEvent::MouseButtonRelease) {
      platform::CurrentDialogs().ShellOpen(ToAnsi(russian_links_ ? link.russian : link.english));
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace ui
