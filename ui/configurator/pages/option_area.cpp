#include "ui/configurator/pages/option_area.h"

#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

namespace ui {

OptionArea::OptionArea(QWidget* parent) : QScrollArea(parent) {
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
  auto* inner = new QWidget(this);
  content_ = new QVBoxLayout(inner);
  content_->setAlignment(Qt::AlignTop);
  setWidget(inner);
  verticalScrollBar()->setSingleStep(24);
}

void OptionArea::ScrollNotches(int notches) {
  QScrollBar* bar = verticalScrollBar();
  if (notches > 0 && bar->value() == bar->minimum()) return;
  if (notches < 0 && bar->value() == bar->maximum()) return;
  bar->setValue(bar->value() - notches * bar->singleStep());
}

void OptionArea::wheelEvent(QWheelEvent* event) { event->accept(); }

Page::Page(const QString& tab_name, const QString& header, QWidget* parent) : QWidget(parent) {
  setObjectName(tab_name);
  body_ = new QVBoxLayout(this);
  body_->setContentsMargins(8, 6, 8, 6);
  auto* title = new QLabel(header, this);
  QFont font = title->font();
  font.setBold(true);
  font.setPointSize(font.pointSize() + 2);
  title->setFont(font);
  body_->addWidget(title);
}

OptionArea* Page::AddOptionArea() {
  option_area_ = new OptionArea(this);
  body_->addWidget(option_area_, 1);
  return option_area_;
}

}  // namespace ui
