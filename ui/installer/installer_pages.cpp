#include "ui/installer/installer_pages.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QToolTip>

namespace installer_ui {
namespace {

// Controls keep their text this far from the list's right edge before the tooltip is needed.
constexpr int kTooltipMargin = 20;
constexpr int kScreenMargin = 10;

}  // namespace

PageArea::PageArea(QWidget* window) : QWidget(window) {
  setGeometry(0, kTop, window->width(), 288 - kTop);
}

void PageArea::Place(QWidget* control, const QRect& window_rect) {
  control->setGeometry(window_rect.translated(0, -kTop));
}

void PageArea::AddFrame(const QRect& window_rect) {
  auto* frame = new QFrame(this);
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Place(frame, window_rect);
}

ListPage::ListPage(QWidget* window, const QRect& frame, const QRect& list, const QStringList& items)
    : PageArea(window), list_(new QListWidget(this)) {
  AddFrame(frame);
  Place(list_, list);
  list_->addItems(items);
  list_->raise();
}

CopyChoicePage::CopyChoicePage(QWidget* window, const QStringList& executables)
    : ListPage(window, QRect(23, 109, 445, 154), QRect(25, 111, 440, 150), executables) {
  list()->setObjectName("copyList");
  // A path too long for the list is cut at its end; the tooltip shows it whole.
  list()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list()->setMouseTracking(true);
  list()->viewport()->installEventFilter(this);
}

QString CopyChoicePage::ToolTipFor(const QPoint& position) const {
  const QListWidgetItem* item = list()->itemAt(position);
  if (!item) return {};
  const int width = list()->fontMetrics().horizontalAdvance(item->text());
  return width > list()->width() - kTooltipMargin ? item->text() : QString();
}

bool CopyChoicePage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list()->viewport()) {
    if (event->type() == QEvent::MouseMove) {
      const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
      QListWidgetItem* item = list()->itemAt(position);
      const QString tip = ToolTipFor(position);
      if (tip.isEmpty()) {
        QToolTip::hideText();
        shown_for_ = nullptr;
      } else if (item != shown_for_) {
        // At the item's row, 20 px into the list, kept 10 px off the screen's right edge.
        const QRect row = list()->visualItemRect(item);
        QPoint at = list()->viewport()->mapToGlobal(QPoint(kTooltipMargin, row.top()));
        if (const QScreen* screen = list()->screen()) {
          const int tip_width = list()->fontMetrics().horizontalAdvance(tip) + 8;
          const int right = screen->geometry().right() - kScreenMargin;
          if (at.x() + tip_width > right) at.setX(right - tip_width);
        }
        QToolTip::showText(at, tip, list());
        shown_for_ = item;
      }
    } else if (event->type() == QEvent::Leave) {
      QToolTip::hideText();
      shown_for_ = nullptr;
    }
  }
  return ListPage::eventFilter(watched, event);
}

TextPage::TextPage(QWidget* window, const QString& text)
    : PageArea(window), text_(new QPlainTextEdit(this)) {
  AddFrame(QRect(73, 105, 344, 156));
  Place(text_, QRect(75, 107, 340, 152));
  text_->setPlainText(text);
  // Nothing can be typed, selected or clicked; the scroll bar and the wheel still work.
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::NoTextInteraction);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text_->raise();
}

ProgressPage::ProgressPage(QWidget* window)
    : PageArea(window), bar_(new QProgressBar(this)), elapsed_(new QLabel(this)) {
  bar_->setObjectName("progressBar");
  elapsed_->setObjectName("elapsedLabel");
  Place(bar_, QRect(80, 163, 340, 20));
  Place(elapsed_, QRect(80, 266, 340, 20));
  bar_->setRange(0, 1);
  bar_->setValue(0);
  bar_->setTextVisible(false);
}

}  // namespace installer_ui
