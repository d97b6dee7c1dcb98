// The pages of the installer's window. Each page holds the controls between the page title and
// the separator; the window creates one for each step and destroys it when the step is left.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStringList>
#include <QWidget>

namespace installer_ui {

// Places controls by their window coordinates (the page begins below the page title).
class PageArea : public QWidget {
 public:
  static constexpr int kTop = 104;
  explicit PageArea(QWidget* window);

 protected:
  void Place(QWidget* control, const QRect& window_rect);
  // The etched frame a page's list or text sits in.
  void AddFrame(const QRect& window_rect);
};

// A list in its frame: the language page and the copy-choice page.
class ListPage : public PageArea {
 public:
  ListPage(QWidget* window, const QRect& frame, const QRect& list, const QStringList& items);
  QListWidget* list() const { return list_; }

 private:
  QListWidget* list_;
};

// The copy-choice page: executable paths, with the full path in a tooltip when it is wider than
// the list.
class CopyChoicePage : public ListPage {
 public:
  CopyChoicePage(QWidget* window, const QStringList& executables);
  // The tooltip for the mouse at `position` of the list's viewport; empty when the item there
  // fits or there is none.
  QString ToolTipFor(const QPoint& position) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidgetItem* shown_for_ = nullptr;
};

// A read-only text that still scrolls: the about page and the not-found page.
class TextPage : public PageArea {
 public:
  TextPage(QWidget* window, const QString& text);
  QPlainTextEdit* text() const { return text_; }

 private:
  QPlainTextEdit* text_;
};

class ProgressPage : public PageArea {
 public:
  explicit ProgressPage(QWidget* window);
  QProgressBar* bar() const { return bar_; }
  QLabel* elapsed() const { return elapsed_; }

 private:
  QProgressBar* bar_;
  QLabel* elapsed_;
};

}  // namespace installer_ui
