#include "ui/widgets/value_list_editor.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace ui {
namespace {

constexpr int kKeyColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kKeyRole = Qt::UserRole;
constexpr int kPickListRole = Qt::UserRole + 1;
constexpr int kReadOnlyRole = Qt::UserRole + 2;

// The editor of a value cell: a drop-down of the row's pick list, or a plain text editor for a
// row without one. What the user enters goes back through the grid, which tells the edit apart
// from values the program sets.
class ValueCellDelegate : public QStyledItemDelegate {
 public:
  explicit ValueCellDelegate(ValueListEditor* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    const QStringList items = grid_->PickList(index.row() + 1);
    if (items.isEmpty()) return QStyledItemDelegate::createEditor(parent, option, index);
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    // Choosing an item is the edit, as in a drop-down list; nothing waits for the focus to leave.
    auto* self = const_cast<ValueCellDelegate*>(this);
    connect(combo, &QComboBox::activated, self, [self, combo] {
      emit self->commitData(combo);
      emit self->closeEditor(combo);
    });
    return combo;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
      combo->setCurrentIndex(combo->findText(index.data().toString()));
      return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    QString value;
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
      if (combo->currentIndex() < 0) return;
      value = combo->currentText();
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      value = line->text();
    } else {
      return;
    }
    grid_->CommitUserValue(index.row() + 1, value);
  }

 private:
  ValueListEditor* grid_;
};

}  // namespace

ValueListEditor::ValueListEditor(QWidget* parent) : QTableWidget(0, 2, parent) {
  SetTitles(QStringLiteral("Key"), QStringLiteral("Value"));
  verticalHeader()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  horizontalHeader()->setSectionResizeMode(kKeyColumn, QHeaderView::ResizeToContents);
  horizontalHeader()->setStretchLastSection(true);
  setItemDelegateForColumn(kValueColumn, new ValueCellDelegate(this));

  connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
    if (row >= 0 && column >= 0) emit CellSelected(row + 1, RowValue(row + 1));
  });
  focus_connection_ =
      connect(qApp, &QApplication::focusChanged, this, &ValueListEditor::OnFocusChanged);
}

// The base destructor clears the focus, which the application reports while this part of the
// object is already gone: no report may reach it then.
ValueListEditor::~ValueListEditor() { disconnect(focus_connection_); }

void ValueListEditor::SetTitles(const QString& key_title, const QString& value_title) {
  setHorizontalHeaderLabels({key_title, value_title});
}

int ValueListEditor::AddRow(const QString& key, const QString& label, const QString& value) {
  const int index = rowCount();
  insertRow(index);
  auto* key_item = new QTableWidgetItem(label);
  key_item->setData(kKeyRole, key);
  key_item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  setItem(index, kKeyColumn, key_item);
  setItem(index, kValueColumn, new QTableWidgetItem(value));
  UpdateValueFlags(index + 1);
  return index + 1;
}

void ValueListEditor::ClearRows() { setRowCount(0); }

int ValueListEditor::RowCount() const { return rowCount(); }

int ValueListEditor::FindRow(const QString& key) const {
  for (int row = 1; row <= RowCount(); ++row) {
    if (RowKey(row) == key) return row;
  }
  return 0;
}

QTableWidgetItem* ValueListEditor::KeyItem(int row) const {
  return row >= 1 && row <= rowCount() ? item(row - 1, kKeyColumn) : nullptr;
}

QTableWidgetItem* ValueListEditor::ValueItem(int row) const {
  return row >= 1 && row <= rowCount() ? item(row - 1, kValueColumn) : nullptr;
}

QString ValueListEditor::RowKey(int row) const {
  const QTableWidgetItem* key = KeyItem(row);
  return key ? key->data(kKeyRole).toString() : QString();
}

QString ValueListEditor::RowLabel(int row) const {
  const QTableWidgetItem* key = KeyItem(row);
  return key ? key->text() : QString();
}

void ValueListEditor::SetRowLabel(int row, const QString& label) {
  if (QTableWidgetItem* key = KeyItem(row)) key->setText(label);
}

QString ValueListEditor::RowValue(int row) const {
  const QTableWidgetItem* value = ValueItem(row);
  return value ? value->text() : QString();
}

void ValueListEditor::SetRowValue(int row, const QString& value) {
  QTableWidgetItem* cell = ValueItem(row);
  if (!cell) return;
  cell->setText(value);
  emit ValuesChanged(row);
}

void ValueListEditor::SetPickList(int row, const QStringList& items) {
  if (QTableWidgetItem* cell = ValueItem(row)) cell->setData(kPickListRole, items);
}

QStringList ValueListEditor::PickList(int row) const {
  const QTableWidgetItem* cell = ValueItem(row);
  return cell ? cell->data(kPickListRole).toStringList() : QStringList();
}

void ValueListEditor::SetRowReadOnly(int row, bool read_only) {
  QTableWidgetItem* cell = ValueItem(row);
  if (!cell) return;
  cell->setData(kReadOnlyRole, read_only);
  UpdateValueFlags(row);
}

bool ValueListEditor::IsRowReadOnly(int row) const {
  const QTableWidgetItem* cell = ValueItem(row);
  return !cell || cell->data(kReadOnlyRole).toBool();
}

void ValueListEditor::UpdateValueFlags(int row) {
  QTableWidgetItem* cell = ValueItem(row);
  if (!cell) return;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (!IsRowReadOnly(row)) flags |= Qt::ItemIsEditable;
  cell->setFlags(flags);
}

int ValueListEditor::SelectedRow() const { return currentRow() + 1; }

void ValueListEditor::SelectRow(int row) {
  if (row < 1 || row > rowCount()) return;
  setCurrentCell(row - 1, kValueColumn);
}

void ValueListEditor::CommitUserValue(int row, const QString& value) {
  QTableWidgetItem* cell = ValueItem(row);
  if (!cell || IsRowReadOnly(row) || cell->text() == value) return;
  cell->setText(value);
  emit ValueEdited(row, value);
  emit ValuesChanged(row);
}

bool ValueListEditor::Contains(const QWidget* widget) const {
  // By parents, not by window: the drop-down of a cell editor is a window of its own.
  for (; widget; widget = widget->parentWidget()) {
    if (widget == this) return true;
  }
  return false;
}

void ValueListEditor::OnFocusChanged(QWidget*, QWidget* new_widget) {
  const bool inside = Contains(new_widget);
  // Focus that goes to another window, or nowhere while the program is in the background, has not
  // left the grid for another control of its window.
  if (!inside && (!new_widget || new_widget->window() != window())) return;
  if (inside == has_focus_) return;
  has_focus_ = inside;
  if (inside) {
    emit FocusEntered();
  } else {
    emit FocusLeft();
  }
}

}  // namespace ui
