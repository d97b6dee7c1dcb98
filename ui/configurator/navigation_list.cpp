#include "ui/configurator/navigation_list.h"

#include <QEvent>
#include <QPalette>
#include <QVBoxLayout>

namespace ui {

NavigationList::NavigationList(const std::vector<Entry>& entries, QWidget* parent)
    : QWidget(parent), entries_(entries) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  for (size_t i = 0; i < entries_.size(); ++i) {
    auto* panel = new QLabel(entries_[i].caption, this);
    panel->setObjectName(QStringLiteral("NavPanel%1").arg(i + 1));
    panel->setAutoFillBackground(true);
    panel->setMinimumHeight(28);
    panel->setMouseTracking(true);
    panel->installEventFilter(this);
    layout->addWidget(panel);
    panels_.push_back(panel);
    looks_.push_back(Look::kNormal);
    SetLook(static_cast<int>(i), Look::kNormal);
  }
  layout->addStretch();
  Select(0);
}

int NavigationList::EntryOfPage(int page_index) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].page_index == page_index) return static_cast<int>(i);
  }
  return -1;
}

void NavigationList::SetLook(int entry, Look look) {
  looks_[static_cast<size_t>(entry)] = look;
  QLabel* panel = panels_[static_cast<size_t>(entry)];
  QPalette palette = panel->palette();
  const QPalette system;
  switch (look) {
    case Look::kNormal:
      palette.setColor(QPalette::Window, system.color(QPalette::Light));
      palette.setColor(QPalette::WindowText, system.color(QPalette::ButtonText));
      break;
    case Look::kHighlighted:
      palette.setColor(QPalette::Window, system.color(QPalette::Highlight));
      palette.setColor(QPalette::WindowText, system.color(QPalette::HighlightedText));
      break;
    case Look::kSelected:
      palette.setColor(QPalette::Window, system.color(QPalette::Dark));
      palette.setColor(QPalette::WindowText, system.color(QPalette::ButtonText));
      break;
  }
  panel->setPalette(palette);
}

void NavigationList::Select(int entry) {
  for (int i = 0; i < count(); ++i) SetLook(i, Look::kNormal);
  SetLook(entry, Look::kSelected);
  selected_ = entry;
}

void NavigationList::Hover(int entry) {
  for (int i = 0; i < count(); ++i) {
    if (i != entry && looks_[static_cast<size_t>(i)] == Look::kHighlighted) {
      SetLook(i, Look::kNormal);
    }
  }
  if (entry != selected_) SetLook(entry, Look::kHighlighted);
}

void NavigationList::ResetHighlight() {
  for (int i = 0; i < count(); ++i) {
    if (looks_[static_cast<size_t>(i)] == Look::kHighlighted) SetLook(i, Look::kNormal);
  }
}

bool NavigationList::eventFilter(QObject* watched, QEvent* event) {
  // Panels are watched while they are still being made: only those made so far count.
  for (int i = 0; i < static_cast<int>(panels_.size()); ++i) {
    if (watched != panels_[static_cast<size_t>(i)]) continue;
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
      Hover(i);
    } else if (event->type() == QEvent::MouseButtonPress) {
      Select(i);
      emit PageChosen(entries_[static_cast<size_t>(i)].page_index);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace ui
