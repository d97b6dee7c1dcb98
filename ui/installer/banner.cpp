#include "ui/installer/banner.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace installer_ui {
namespace {

// A parcel with an arrow into it: the emblem of the banner and the icon.
void DrawEmblem(QPainter& painter, const QRectF& box) {
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal w = box.width();
  const qreal h = box.height();
  const QRectF parcel(box.left() + w * 0.15, box.top() + h * 0.45, w * 0.7, h * 0.45);
  painter.setPen(QPen(QColor(40, 30, 10), w * 0.04));
  painter.setBrush(QColor(214, 168, 92));
  painter.drawRect(parcel);
  painter.drawLine(QPointF(parcel.center().x(), parcel.top()),
                   QPointF(parcel.center().x(), parcel.bottom()));
  QPainterPath arrow;
  const qreal x = box.center().x();
  arrow.moveTo(x - w * 0.12, box.top() + h * 0.05);
  arrow.lineTo(x + w * 0.12, box.top() + h * 0.05);
  arrow.lineTo(x + w * 0.12, box.top() + h * 0.25);
  arrow.lineTo(x + w * 0.25, box.top() + h * 0.25);
  arrow.lineTo(x, box.top() + h * 0.5);
  arrow.lineTo(x - w * 0.25, box.top() + h * 0.25);
  arrow.lineTo(x - w * 0.12, box.top() + h * 0.25);
  arrow.closeSubpath();
  painter.setBrush(QColor(90, 160, 70));
  painter.drawPath(arrow);
}

}  // namespace

QPixmap BannerPicture(QSize size) {
  QPixmap picture(size);
  QPainter painter(&picture);
  QLinearGradient sky(0, 0, size.width(), size.height());
  sky.setColorAt(0.0, QColor(24, 52, 84));
  sky.setColorAt(1.0, QColor(70, 112, 140));
  painter.fillRect(picture.rect(), sky);
  painter.setPen(QColor(255, 255, 255, 28));
  for (int x = -size.height(); x < size.width(); x += 9) {
    painter.drawLine(x, size.height(), x + size.height(), 0);
  }
  DrawEmblem(painter, QRectF(40, 4, 50, 50));
  return picture;
}

QIcon InstallerIcon() {
  QPixmap picture(64, 64);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  DrawEmblem(painter, QRectF(4, 4, 56, 56));
  painter.end();
  return QIcon(picture);
}

}  // namespace installer_ui
