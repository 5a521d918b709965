#include "client/components/menus/menu_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "client/components/status_icons.h"
#include "client/window/menu_models.h"

namespace orvinta::components {
namespace {

QIcon Drawn(const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  return QIcon(pixmap);
}

// The member menu's pictures, in the order of window::MemberMenuIcon.
QList<QIcon> MemberImages() {
  QList<QIcon> images(window::kMemberMenuIconCount);
  images[window::kBlogIcon] = Drawn([](QPainter& p) {  // a page with lines
    p.setPen(QColor(0x4A, 0x6E, 0x9C));
    p.setBrush(QColor(0xF4, 0xF8, 0xFF));
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    for (int y = 5; y <= 11; y += 3) p.drawLine(QPointF(5.5, y + 0.5), QPointF(10.5, y + 0.5));
  });
  images[window::kPrivateChatIcon] = Drawn([](QPainter& p) {  // a speech bubble
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1.5, 2.5, 13, 9), 3, 3);
    bubble.moveTo(4.5, 11.5);
    bubble.lineTo(3.5, 14.5);
    bubble.lineTo(7.5, 11.5);
    p.setPen(QColor(0x2F, 0x7D, 0x3A));
    p.setBrush(QColor(0xCF, 0xF0, 0xD2));
    p.drawPath(bubble.simplified());
  });
  images[window::kExpulsionIcon] = Drawn([](QPainter& p) {  // an arrow leaving a door
    p.setPen(QPen(QColor(0xB0, 0x30, 0x30), 1.6));
    p.drawRect(QRectF(2.5, 2.5, 6, 11));
    p.drawLine(QPointF(6, 8), QPointF(14, 8));
    p.drawLine(QPointF(11, 5), QPointF(14, 8));
    p.drawLine(QPointF(11, 11), QPointF(14, 8));
  });
  images[window::kIgnoreIcon] = Drawn([](QPainter& p) {  // a no-entry ring
    p.setPen(QPen(QColor(0xC0, 0x28, 0x28), 2));
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    p.drawLine(QPointF(4.5, 11.5), QPointF(11.5, 4.5));
  });
  images[window::kAllowIcon] = Drawn([](QPainter& p) {  // a tick
    p.setPen(QPen(QColor(0x2A, 0x8A, 0x3A), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
  });
  return images;
}

}  // namespace

QList<QIcon> MenuImages(platform::MenuIcons set) {
  if (set == platform::MenuIcons::Member) return MemberImages();
  QList<QIcon> images;
  for (int status = 0; status < kStatusCount; ++status) images.push_back(StatusIcon(status));
  return images;
}

}  // namespace orvinta::components
