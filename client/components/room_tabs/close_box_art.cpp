#include "client/components/room_tabs/close_box_art.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <cmath>

namespace orvinta::components {
namespace {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

QPixmap CloseBoxPixmap(CloseIcon icon, qreal devicePixelRatio) {
  const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  // Every tab paints one on each repaint: draw each picture once per ratio.
  const QString key = QStringLiteral("orvinta-close-box-%1-%2").arg(static_cast<int>(icon)).arg(ratio);
  if (QPixmap cached; QPixmapCache::find(key, &cached)) return cached;
  const int side = static_cast<int>(std::ceil(16 * ratio));
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  image.setDevicePixelRatio(ratio);

  // The plain box in the strip's greys; the one on a tab with news in its olive tones.
  const TabScheme scheme = SchemeOf(icon == CloseIcon::Activity ? TabLook::Activity : TabLook::Current);
  const QColor cross = icon == CloseIcon::Activity ? ToQColor(scheme.text) : QColor(119, 119, 119);

  QPainter painter(&image);
  painter.fillRect(QRect(3, 2, 12, 12), ToQColor(scheme.frame));
  painter.fillRect(QRect(4, 3, 10, 10), icon == CloseIcon::Activity ? ToQColor(scheme.highlight) : ToQColor(scheme.fill));
  if (ratio > 1.0) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(cross, 1.5, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(6.0, 5.0), QPointF(12.0, 11.0));
    painter.drawLine(QPointF(12.0, 5.0), QPointF(6.0, 11.0));
  } else {
    for (int k = 0; k < 6; ++k) {
      painter.fillRect(QRect(6 + k, 5 + k, 1, 1), cross);
      painter.fillRect(QRect(11 - k, 5 + k, 1, 1), cross);
    }
  }
  painter.end();
  const QPixmap pixmap = QPixmap::fromImage(image);
  QPixmapCache::insert(key, pixmap);
  return pixmap;
}

}  // namespace orvinta::components
