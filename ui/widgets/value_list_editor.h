// A two-column grid of named values: a title row, a key column that shows each row's label and a
// value column whose cells are edited by choosing from the row's pick list. Each row also keeps a
// key (the name it is stored under) apart from the label it shows.
//
// Rows are numbered from 1; row 0 is the title row. The grid reports what the user does:
// selecting a cell, editing a value (a value set by the program is reported only as a change), and
// the focus entering and leaving the grid with its cell editors.
#pragma once

#include <QStringList>
#include <QTableWidget>

namespace ui {

class ValueListEditor : public QTableWidget {
  Q_OBJECT

 public:
  explicit ValueListEditor(QWidget* parent = nullptr);
  ~ValueListEditor() override;

  void SetTitles(const QString& key_title, const QString& value_title);

  // Appends a row and returns its number. The row starts editable, without a pick list.
  int AddRow(const QString& key, const QString& label, const QString& value);
  void ClearRows();
  int RowCount() const;
  // The row with that key (compared exactly), 0 when none.
  int FindRow(const QString& key) const;

  QString RowKey(int row) const;
  QString RowLabel(int row) const;
  void SetRowLabel(int row, const QString& label);
  QString RowValue(int row) const;
  // Sets a value cell from the program: reported by ValuesChanged, not by ValueEdited.
  void SetRowValue(int row, const QString& value);

  // A row with a pick list is edited by choosing one of its items; one without it in a plain
  // text editor.
  void SetPickList(int row, const QStringList& items);
  QStringList PickList(int row) const;
  // The user cannot edit the value of a read-only row; the program still can.
  void SetRowReadOnly(int row, bool read_only);
  bool IsRowReadOnly(int row) const;

  // The row of the current cell, 0 when there is none.
  int SelectedRow() const;
  void SelectRow(int row);

  // Called by the cell editor when the user has entered a value.
  void CommitUserValue(int row, const QString& value);

 signals:
  // The current cell moved to a cell of `row`, which holds `value`.
  void CellSelected(int row, const QString& value);
  // The user entered `value` into the value cell of `row` (before ValuesChanged).
  void ValueEdited(int row, const QString& value);
  // A value cell changed, by the user or by the program.
  void ValuesChanged(int row);
  // The focus came into the grid or one of its cell editors, or left them.
  void FocusEntered();
  void FocusLeft();

 private:
  QTableWidgetItem* KeyItem(int row) const;
  QTableWidgetItem* ValueItem(int row) const;
  void UpdateValueFlags(int row);
  bool Contains(const QWidget* widget) const;
  void OnFocusChanged(QWidget* old_widget, QWidget* new_widget);

  QMetaObject::Connection focus_connection_;
  bool has_focus_ = false;
};

}  // namespace ui
