#include "ui/widgets/value_list_editor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace ui {

class ValueListEditorTest : public QObject {
  Q_OBJECT

 private:
  // A grid of three rows: a pick list, a read-only row, another pick list.
  static void Fill(ValueListEditor& grid) {
    grid.AddRow("AV_Fighter", "  Fighter", "{Standart}");
    grid.SetPickList(1, {"{Standart}", "Spitfire", "Yak"});
    grid.AddRow("AV_Bomber", "  Bomber", "{Standart}");
    grid.SetPickList(2, {"{Standart}"});
    grid.SetRowReadOnly(2, true);
    grid.AddRow("TR_tank", "  Tank", "My Tank-2");
    grid.SetPickList(3, {"{Standart}", "My Tank-2"});
  }

  static QModelIndex ValueIndex(const ValueListEditor& grid, int row) {
    return grid.model()->index(row - 1, 1);
  }

 private slots:
  void KeepsKeysApartFromLabels() {
    ValueListEditor grid;
    Fill(grid);
    QCOMPARE(grid.RowCount(), 3);
    QCOMPARE(grid.RowKey(3), QString("TR_tank"));
    QCOMPARE(grid.RowLabel(3), QString("  Tank"));
    QCOMPARE(grid.RowValue(3), QString("My Tank-2"));
    QCOMPARE(grid.FindRow("AV_Bomber"), 2);
    QCOMPARE(grid.FindRow("  Bomber"), 0);
    grid.SetRowLabel(1, "  Истребитель");
    QCOMPARE(grid.RowKey(1), QString("AV_Fighter"));
    QCOMPARE(grid.RowLabel(1), QString("  Истребитель"));
    QCOMPARE(grid.PickList(1), QStringList({"{Standart}", "Spitfire", "Yak"}));
    QCOMPARE(grid.RowKey(0), QString());
    QCOMPARE(grid.RowValue(4), QString());
    QCOMPARE(grid.PickList(4), QStringList());
    QVERIFY(grid.IsRowReadOnly(2));
    QVERIFY(!grid.IsRowReadOnly(3));
    grid.ClearRows();
    QCOMPARE(grid.RowCount(), 0);
  }

  void ReportsProgramValuesAsChangesOnly() {
    ValueListEditor grid;
    Fill(grid);
    QSignalSpy edited(&grid, &ValueListEditor::ValueEdited);
    QSignalSpy changed(&grid, &ValueListEditor::ValuesChanged);
    grid.SetRowValue(2, "{None}");  // read-only rows take values from the program
    grid.SetRowValue(9, "ignored");
    QCOMPARE(grid.RowValue(2), QString("{None}"));
    QCOMPARE(edited.count(), 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 2);
  }

  void ReportsAChoiceFromThePickListAsAnEdit() {
    ValueListEditor grid;
    Fill(grid);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QList<QString> order;
    connect(&grid, &ValueListEditor::ValueEdited, this, [&](int row, const QString& value) {
      order << QString("edited %1 %2").arg(row).arg(value);
    });
    connect(&grid, &ValueListEditor::ValuesChanged, this,
            [&](int row) { order << QString("changed %1").arg(row); });

    grid.SelectRow(1);
    grid.edit(ValueIndex(grid, 1));
    auto* combo = grid.viewport()->findChild<QComboBox*>();
    QVERIFY(combo);
    QCOMPARE(combo->currentText(), QString("{Standart}"));
    QCOMPARE(combo->count(), 3);
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    QCOMPARE(grid.RowValue(1), QString("Yak"));
    QCOMPARE(order, QList<QString>({"edited 1 Yak", "changed 1"}));
  }

  void OffersNoEditorOnAReadOnlyRow() {
    ValueListEditor grid;
    Fill(grid);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy edited(&grid, &ValueListEditor::ValueEdited);
    grid.SelectRow(2);
    QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
    grid.edit(ValueIndex(grid, 2));
    QVERIFY(!grid.viewport()->findChild<QComboBox*>());
    QVERIFY(!grid.viewport()->findChild<QLineEdit*>());
    grid.CommitUserValue(2, "Anything");
    QCOMPARE(grid.RowValue(2), QString("{Standart}"));
    QCOMPARE(edited.count(), 0);
  }

  void ReportsTheSelectedCell() {
    ValueListEditor grid;
    Fill(grid);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy selected(&grid, &ValueListEditor::CellSelected);
    grid.SelectRow(3);
    QCOMPARE(grid.SelectedRow(), 3);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toInt(), 3);
    QCOMPARE(selected.at(0).at(1).toString(), QString("My Tank-2"));

    const QRect key_cell = grid.visualRect(grid.model()->index(1, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, key_cell.center());
    QCOMPARE(grid.SelectedRow(), 2);
    QCOMPARE(selected.count(), 2);
    QCOMPARE(selected.at(1).at(0).toInt(), 2);
    QCOMPARE(selected.at(1).at(1).toString(), QString("{Standart}"));
  }

  void ReportsTheFocusOfTheGridAndItsEditors() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new ValueListEditor(&window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(grid);
    layout->addWidget(other);
    Fill(*grid);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QSignalSpy entered(grid, &ValueListEditor::FocusEntered);
    QSignalSpy left(grid, &ValueListEditor::FocusLeft);

    grid->setFocus();
    QCOMPARE(entered.count(), 1);
    grid->SelectRow(1);
    grid->edit(ValueIndex(*grid, 1));
    auto* combo = grid->viewport()->findChild<QComboBox*>();
    QVERIFY(combo);
    combo->setFocus();  // the cell editor is part of the grid
    QCOMPARE(left.count(), 0);
    other->setFocus();
    QCOMPARE(left.count(), 1);
    QCOMPARE(entered.count(), 1);
  }
};

}  // namespace ui

QTEST_MAIN(ui::ValueListEditorTest)
#include "value_list_editor_test.moc"
