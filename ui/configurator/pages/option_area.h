// The scrolling area that holds a page's options. The main window scrolls it by one step per
// wheel notch wherever the pointer and the focus are, so the area does not scroll by itself.
#pragma once

#include <QScrollArea>
#include <QVBoxLayout>

namespace ui {

class OptionArea : public QScrollArea {
  Q_OBJECT

 public:
  explicit OptionArea(QWidget* parent);
  QVBoxLayout* content() const { return content_; }

  // One scroll-bar step up (notches > 0) or down; nothing at the ends.
  void ScrollNotches(int notches);

 protected:
  void wheelEvent(QWheelEvent* event) override;

 private:
  QVBoxLayout* content_;
};

// A page of the main window: a header and, below it, what the page holds.
class Page : public QWidget {
  Q_OBJECT

 public:
  Page(const QString& tab_name, const QString& header, QWidget* parent);
  QVBoxLayout* body() const { return body_; }
  // The page's scrolling option area, or nullptr when it has none.
  virtual OptionArea* option_area() const { return option_area_; }
  OptionArea* AddOptionArea();

 private:
  QVBoxLayout* body_;
  OptionArea* option_area_ = nullptr;
};

}  // namespace ui
