#include "ui/configurator/window_controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStackedWidget>

#include "platform/text.h"

#include "ui/configurator/ansi.h"
#include "ui/widgets/check_list_box.h"
#include "ui/widgets/counter.h"
#include "ui/widgets/value_list_editor.h"

namespace ui {
namespace {

constexpr char kBuddyProperty[] = "vornakBuddyLabel";

QAbstractButton* CheckableButton(QWidget* widget) {
  auto* button = qobject_cast<QAbstractButton*>(widget);
  return button && button->isCheckable() ? button : nullptr;
}

// The counter an up-down or edit name belongs to.
Counter* CounterOf(QWidget* widget) {
  if (!widget) return nullptr;
  if (auto* counter = qobject_cast<Counter*>(widget)) return counter;
  return qobject_cast<Counter*>(widget->parentWidget());
}

// What enables and disables as one: a counter's parts are one control.
QWidget* EnableTarget(QWidget* widget) {
  Counter* counter = CounterOf(widget);
  return counter ? counter : widget;
}

}  // namespace

void SetBuddyLabel(QWidget* control, QWidget* label) {
  control->setProperty(kBuddyProperty, QVariant::fromValue(static_cast<QObject*>(label)));
}

bool WindowControls::Exists(std::string_view name) const { return registry_.Find(name); }

bool WindowControls::IsEnabled(std::string_view name) const {
  QWidget* widget = registry_.Find(name);
  return widget && EnableTarget(widget)->isEnabled();
}

void WindowControls::SetEnabled(std::string_view name, bool enabled) {
  QWidget* widget = registry_.Find(name);
  if (!widget) return;
  QWidget* target = EnableTarget(widget);
  target->setEnabled(enabled);
  for (QWidget* owner : {widget, target}) {
    if (auto* label = qobject_cast<QWidget*>(owner->property(kBuddyProperty).value<QObject*>())) {
      label->setEnabled(enabled);
    }
  }
}

bool WindowControls::IsCheckBox(std::string_view name) const {
  return CheckableButton(registry_.Find(name)) != nullptr;
}

bool WindowControls::IsChecked(std::string_view name) const {
  QAbstractButton* button = CheckableButton(registry_.Find(name));
  return button && button->isChecked();
}

void WindowControls::SetChecked(std::string_view name, bool checked) {
  if (QAbstractButton* button = CheckableButton(registry_.Find(name))) button->setChecked(checked);
}

int WindowControls::Position(std::string_view up_down) const {
  Counter* counter = CounterOf(registry_.Find(up_down));
  return counter ? counter->Position() : 0;
}

void WindowControls::SetPosition(std::string_view up_down, int position) {
  if (Counter* counter = CounterOf(registry_.Find(up_down))) counter->SetPosition(position);
}

std::string WindowControls::Text(std::string_view edit) const {
  Counter* counter = CounterOf(registry_.Find(edit));
  return counter ? ToAnsi(counter->Text()) : std::string();
}

void WindowControls::SetText(std::string_view edit, std::string_view text) {
  if (Counter* counter = CounterOf(registry_.Find(edit))) counter->SetText(FromAnsi(text));
}

int WindowControls::ItemIndex(std::string_view list) const {
  QWidget* widget = registry_.Find(list);
  if (auto* items = qobject_cast<QListWidget*>(widget)) return items->currentRow();
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentIndex();
  return -1;
}

void WindowControls::SetItemIndex(std::string_view list, int index) {
  QWidget* widget = registry_.Find(list);
  if (!widget) return;
  // A selection the program makes is not the user's: the list's own handlers stay quiet.
  const QSignalBlocker blocker(widget);
  if (auto* items = qobject_cast<QListWidget*>(widget)) items->setCurrentRow(index);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) combo->setCurrentIndex(index);
}

int WindowControls::ItemCount(std::string_view list) const {
  QWidget* widget = registry_.Find(list);
  if (auto* items = qobject_cast<QListWidget*>(widget)) return items->count();
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->count();
  return 0;
}

std::string WindowControls::ItemText(std::string_view list, int index) const {
  QWidget* widget = registry_.Find(list);
  if (auto* items = qobject_cast<QListWidget*>(widget)) {
    const QListWidgetItem* item = items->item(index);
    return item ? ToAnsi(item->text()) : std::string();
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    return index >= 0 && index < combo->count() ? ToAnsi(combo->itemText(index)) : std::string();
  }
  return {};
}

bool WindowControls::IsItemChecked(std::string_view check_list, int item) const {
  auto* list = qobject_cast<CheckListBox*>(registry_.Find(check_list));
  return list && list->IsItemChecked(item);
}

void WindowControls::SetItemChecked(std::string_view check_list, int item, bool checked) {
  if (auto* list = qobject_cast<CheckListBox*>(registry_.Find(check_list))) {
    list->SetItemChecked(item, checked);
  }
}

int WindowControls::RowCount(std::string_view grid) const {
  auto* editor = qobject_cast<ValueListEditor*>(registry_.Find(grid));
  return editor ? editor->RowCount() : 0;
}

std::string WindowControls::RowKey(std::string_view grid, int row) const {
  auto* editor = qobject_cast<ValueListEditor*>(registry_.Find(grid));
  return editor ? ToAnsi(editor->RowKey(row)) : std::string();
}

std::string WindowControls::RowValue(std::string_view grid, int row) const {
  auto* editor = qobject_cast<ValueListEditor*>(registry_.Find(grid));
  return editor ? ToAnsi(editor->RowValue(row)) : std::string();
}

void WindowControls::SetRowValue(std::string_view grid, int row, std::string_view value) {
  auto* editor = qobject_cast<ValueListEditor*>(registry_.Find(grid));
  if (!editor) return;
  // A value that names a choice in another letter case takes the choice's spelling (the folder's
  // name on disk).
  QString text = FromAnsi(value);
  for (const auto& choice : editor->PickList(row)) {
    if (platform::EqualsNoCase(ToAnsi(choice), value)) {
      text = choice;
      break;
    }
  }
  editor->SetRowValue(row, text);
}

int WindowControls::PageIndex(std::string_view page_control) const {
  auto* pages = qobject_cast<QStackedWidget*>(registry_.Find(page_control));
  return pages ? pages->currentIndex() : -1;
}

void WindowControls::ShowPage(std::string_view page_control, int index) {
  if (auto* pages = qobject_cast<QStackedWidget*>(registry_.Find(page_control))) {
    pages->setCurrentIndex(index);
  }
}

}  // namespace ui
