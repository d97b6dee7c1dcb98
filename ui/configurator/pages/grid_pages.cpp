#include "ui/configurator/pages/grid_pages.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "catalogue/unit_catalogue.h"
#include "errors/guard.h"
#include "ui/configurator/ansi.h"
#include "ui/configurator/pages/option_builder.h"

namespace ui {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

ValueListEditor* MakeGrid(ControlRegistry& controls, int kind, QWidget* parent) {
  const std::string name(catalogue::EditorName(kind));
  auto* grid = new ValueListEditor(parent);
  controls.Add(grid, name.c_str());
  grid->SetTitles(U("Юнит"), U("Модель"));
  grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
  grid->horizontalHeader()->resizeSection(1, 170);
  grid->verticalHeader()->setDefaultSectionSize(22);
  return grid;
}

}  // namespace

DescribedGrid::DescribedGrid(ValueListEditor* grid, int kind, DescriptionBox* box,
                             GridPageServices services, const char* code)
    : QObject(grid),
      grid_(grid),
      kind_(kind),
      box_(box),
      services_(std::move(services)),
      code_(code) {
  connect(grid_, &ValueListEditor::CellSelected, this,
          [this](int row, const QString& value) { Describe(row, value); });
  connect(grid_, &ValueListEditor::ValueEdited, this, [this](int row, const QString& value) {
    edited_row_ = row;
    edited_value_ = value;
  });
  connect(grid_, &ValueListEditor::ValuesChanged, this, [this](int) {
    if (edited_row_ == 0 || (services_.changes_ignored && services_.changes_ignored())) return;
    Describe(edited_row_, edited_value_);
  });
  connect(grid_, &ValueListEditor::FocusEntered, this, [this] { has_focus_ = true; });
  connect(grid_, &ValueListEditor::FocusLeft, this, [this] { has_focus_ = false; });
}

void DescribedGrid::DescribeSelected() {
  const int row = grid_->SelectedRow() > 0 ? grid_->SelectedRow() : 1;
  if (row <= grid_->RowCount()) Describe(row, grid_->RowValue(row));
}

void DescribedGrid::Describe(int row, const QString& value) {
  errors::Guarded(code_, [&] {
    if (!box_ || !services_.describe || row < 1) return;
    const bool complete = box_->Show(services_.describe(kind_, row, ToAnsi(value)));
    if (!complete && services_.report) services_.report(code_);
  });
}

GridPage::GridPage(const char* tab, const char* header, int kind, ControlRegistry& controls,
                   config::OptionRules& rules, GridPageServices services, QWidget* parent)
    : Page(tab, U(header), parent) {
  const bool flags = kind == catalogue::kCivilizations;
  auto* row = new QHBoxLayout();
  auto* grid = MakeGrid(controls, kind, this);
  row->addWidget(grid, 1);
  const DescriptionBox::Names names =
      flags ? DescriptionBox::Names{"ImageFlag", "ImageFlagG", "MemoFlag", nullptr, nullptr}
            : DescriptionBox::Names{"ImageChange", nullptr, "MemoChange", "ButtonPreviewChange",
                                    nullptr};
  auto* box = new DescriptionBox(controls, names, this);
  box->setFixedWidth(330);
  row->addWidget(box);
  body()->addLayout(row, 1);
  grid_ =
      new DescribedGrid(grid, kind, box, std::move(services), flags ? "01.013-01" : "01.012-01");
  if (flags) {
    OptionBuilder builder(controls, rules);
    builder.AddOptions(tab, -1, this, body());
  }
}

NewUnitsPage::NewUnitsPage(ControlRegistry& controls, GridPageServices services, QWidget* parent)
    : Page("New", U("Добавление юнитов"), parent) {
  auto* row = new QHBoxLayout();
  auto* column = new QVBoxLayout();
  column->setSpacing(2);
  auto* box = new DescriptionBox(
      controls, {"ImageNew", nullptr, "MemoNew", "ButtonPreviewNew", "ButtonInfoNew"}, this);
  box->setFixedWidth(330);
  const char* titles[] = {"Авиация", "Флот", "Войска"};
  const char* panels[] = {"PanelAir", "PanelNavy", "PanelLand"};
  for (int group = 0; group < 3; ++group) {
    Group& g = groups_[static_cast<size_t>(group)];
    g.title = U(titles[group]);
    g.panel = controls.Add(new QWidget(this), panels[group]);
    auto* layout = new QVBoxLayout(g.panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    g.header = new QLabel(g.panel);
    g.header->setFixedHeight(kCollapsedHeight);
    g.header->setAutoFillBackground(true);
    g.header->setCursor(Qt::PointingHandCursor);
    g.header->installEventFilter(this);
    layout->addWidget(g.header);
    auto* grid = MakeGrid(controls, group, g.panel);
    layout->addWidget(grid, 1);
    g.grid = new DescribedGrid(grid, group, box, services, "01.014-01");
    column->addWidget(g.panel);
    SetOpen(group, false);
  }
  column->addStretch();
  row->addLayout(column, 1);
  row->addWidget(box);
  body()->addLayout(row, 1);
}

void NewUnitsPage::SetOpen(int group, bool open) {
  Group& g = groups_[static_cast<size_t>(group)];
  g.open = open;
  g.panel->setFixedHeight(open ? kOpenHeight : kCollapsedHeight);
  g.header->setText((open ? "<< " : ">> ") + g.title);
  g.grid->grid()->setVisible(open);
  QPalette palette = g.header->palette();
  const QPalette system;
  palette.setColor(QPalette::Window,
                   open ? system.color(QPalette::Highlight) : system.color(QPalette::Button));
  palette.setColor(QPalette::WindowText, open ? system.color(QPalette::HighlightedText)
                                              : system.color(QPalette::ButtonText));
  g.header->setPalette(palette);
}

void NewUnitsPage::Open(int group) {
  for (int other = 0; other < 3; ++other) SetOpen(other, false);
  SetOpen(group, true);
  ValueListEditor* grid = groups_[static_cast<size_t>(group)].grid->grid();
  grid->setFocus();
  groups_[static_cast<size_t>(group)].grid->DescribeSelected();
}

void NewUnitsPage::HeaderClicked(int group) {
  errors::Guarded("01.015-01", [&] {
    if (IsOpen(group)) {
      SetOpen(group, false);
    } else {
      Open(group);
    }
  });
}

int NewUnitsPage::GroupOfGrid(std::string_view grid) const {
  for (int group = 0; group < 3; ++group) {
    if (groups_[static_cast<size_t>(group)].grid->grid()->objectName().toStdString() == grid) {
      return group;
    }
  }
  return -1;
}

void NewUnitsPage::DescribeOpenGroups() {
  for (const auto& group : groups_) {
    if (group.open) group.grid->DescribeSelected();
  }
}

bool NewUnitsPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    for (int group = 0; group < 3; ++group) {
      if (watched == groups_[static_cast<size_t>(group)].header) {
        HeaderClicked(group);
        return true;
      }
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace ui
