#include "ui/configurator/pages/options_pages.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "errors/guard.h"
#include "ui/configurator/pages/option_builder.h"
#include "ui/configurator/window_controls.h"

namespace ui {
namespace {

QString U(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

OptionsPage::OptionsPage(const char* tab, const char* header, ControlRegistry& controls,
                         config::OptionRules& rules, QWidget* parent)
    : Page(tab, U(header), parent) {
  OptionArea* area = AddOptionArea();
  OptionBuilder builder(controls, rules);
  builder.AddOptions(tab, -1, area->widget(), area->content());
  builder.AddPageButton(tab, this, body());
}

LinesPage::LinesPage(ControlRegistry& controls, config::OptionRules& rules, QWidget* parent)
    : Page("Lines", U("Изменение линий развития"), parent) {
  list_ = controls.Add(new CheckListBox(this), std::string(config::kLinesList).c_str());
  for (const auto& item : config::LineItems()) {
    list_->AddItem(U(item.caption));
    if (!item.hint.empty()) list_->item(item.item)->setToolTip(U(item.hint));
  }
  for (const auto& item : config::LineItems()) list_->SetHeading(item.item, item.heading());
  connect(list_, &CheckListBox::ItemToggledByUser, this,
          [&rules](int) { errors::Guarded("01.030-01", [&] { rules.LinesClicked(); }); });
  body()->addWidget(list_, 1);
  OptionBuilder(controls, rules).AddPageButton("Lines", this, body());
}

ReligionsPage::ReligionsPage(ControlRegistry& controls, config::OptionRules& rules, QWidget* parent)
    : OptionsPage("rel", "Религии", controls, rules, parent) {
  auto* pictures = new QHBoxLayout();
  for (int i = 1; i <= 8; ++i) {
    const bool russian = i <= 4;
    auto* picture = controls.Add(new QLabel(this), QString("ImageReligion%1").arg(i).toLatin1());
    picture->setFixedSize(96, 96);
    picture->setFrameShape(QFrame::Box);
    picture->setAlignment(Qt::AlignCenter);
    picture->setText(russian ? U("Религия") : "Religion");
    (russian ? russian_ : english_).push_back(picture);
    pictures->addWidget(picture);
  }
  pictures->addStretch();
  body()->insertLayout(1, pictures);
}

void ReligionsPage::ShowPicturesFor(bool russian) {
  for (QLabel* picture : russian_) picture->setVisible(russian);
  for (QLabel* picture : english_) picture->setVisible(!russian);
}

InterfacePage::InterfacePage(ControlRegistry& controls, config::OptionRules& rules, QWidget* parent)
    : Page("MMenu", U("Настройки внешнего вида"), parent) {
  OptionArea* area = AddOptionArea();
  OptionBuilder builder(controls, rules);
  builder.AddOptions("MMenu", -1, area->widget(), area->content());

  auto* screens_row = new QHBoxLayout();
  auto* list_column = new QVBoxLayout();
  const config::OptionInfo* list_option = config::FindOption(12);
  screens_ = controls.Add(new QListWidget(this), std::string(list_option->control).c_str());
  screens_->setToolTip(U(list_option->hint));
  screens_->setFixedWidth(260);
  screens_->setMinimumHeight(160);
  list_column->addWidget(screens_, 1);
  delete_button_ = qobject_cast<QPushButton*>(
      builder.AddButton(config::kDeleteLoadingScreenButton, this, list_column));
  screens_row->addLayout(list_column);
  preview_ = controls.Add(new QLabel(this), "ImageLoadingScreen");
  preview_->setFixedSize(320, 200);
  preview_->setFrameShape(QFrame::Box);
  preview_->setAlignment(Qt::AlignCenter);
  screens_row->addWidget(preview_);
  screens_row->addStretch();
  area->content()->addLayout(screens_row);
  builder.AddPageButton("MMenu", this, body());
}

}  // namespace ui
