// A check list whose items may be headings: a heading carries no check box and groups the items
// below it.
#pragma once

#include <QListWidget>

namespace ui {

class CheckListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit CheckListBox(QWidget* parent);

  void AddItem(const QString& text);
  void SetHeading(int item, bool heading);
  bool IsHeading(int item) const;
  bool IsItemChecked(int item) const;
  // Sets the state without announcing it (the rules decide what a change means).
  void SetItemChecked(int item, bool checked);

 signals:
  // The user ticked or cleared an item.
  void ItemToggledByUser(int item);

 private:
  bool setting_ = false;
};

}  // namespace ui
