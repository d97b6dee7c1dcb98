// The list of panels on the left of the main window that selects its pages. Entries have three
// looks: normal, under the pointer, and selected.
#pragma once

#include <QLabel>
#include <QWidget>
#include <vector>

namespace ui {

class NavigationList : public QWidget {
  Q_OBJECT

 public:
  struct Entry {
    QString caption;
    int page_index;
  };
  enum class Look { kNormal, kHighlighted, kSelected };

  NavigationList(const std::vector<Entry>& entries, QWidget* parent);

  void Select(int entry);
  // The pointer left the entries: every highlighted entry turns normal again.
  void ResetHighlight();
  void Hover(int entry);

  int selected() const { return selected_; }
  Look LookOf(int entry) const { return looks_[static_cast<size_t>(entry)]; }
  int PageIndexOf(int entry) const { return entries_[static_cast<size_t>(entry)].page_index; }
  int EntryOfPage(int page_index) const;
  int count() const { return static_cast<int>(entries_.size()); }
  QLabel* EntryWidget(int entry) const { return panels_[static_cast<size_t>(entry)]; }

 signals:
  void PageChosen(int page_index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetLook(int entry, Look look);

  std::vector<Entry> entries_;
  std::vector<QLabel*> panels_;
  std::vector<Look> looks_;
  int selected_ = 0;
};

}  // namespace ui
