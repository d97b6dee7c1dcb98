#include "ui/widgets/check_list_box.h"

namespace ui {

CheckListBox::CheckListBox(QWidget* parent) : QListWidget(parent) {
  connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (!setting_) emit ItemToggledByUser(row(item));
  });
}

void CheckListBox::AddItem(const QString& text) {
  auto* item = new QListWidgetItem(text, this);
  setting_ = true;
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
  item->setCheckState(Qt::Unchecked);
  setting_ = false;
}

void CheckListBox::SetHeading(int index, bool heading) {
  QListWidgetItem* entry = item(index);
  if (!entry) return;
  setting_ = true;
  QFont font = entry->font();
  font.setBold(heading);
  entry->setFont(font);
  if (heading) {
    entry->setFlags(Qt::ItemIsEnabled);
    entry->setData(Qt::CheckStateRole, QVariant());
    entry->setBackground(palette().color(QPalette::Highlight));
    entry->setForeground(palette().color(QPalette::HighlightedText));
  } else {
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
    entry->setBackground(QBrush());
    entry->setForeground(QBrush());
  }
  setting_ = false;
}

bool CheckListBox::IsHeading(int index) const {
  const QListWidgetItem* entry = item(index);
  return entry && !(entry->flags() & Qt::ItemIsUserCheckable);
}

bool CheckListBox::IsItemChecked(int index) const {
  const QListWidgetItem* entry = item(index);
  return entry && entry->checkState() == Qt::Checked;
}

void CheckListBox::SetItemChecked(int index, bool checked) {
  QListWidgetItem* entry = item(index);
  if (!entry || IsHeading(index)) return;
  setting_ = true;
  entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  setting_ = false;
}

}  // namespace ui
