#include "client/components/input/frame_painting.h"

#include <QFontMetrics>

#include "client/compose/compose_tables.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components::frame {

void RoundCorners(QPainter& painter, const QRect& area, const QColor& colour, bool top, bool bottom) {
  const int l = area.left(), r = area.right(), t = area.top(), b = area.bottom();
  painter.setPen(colour);
  if (top) {
    painter.drawPoints(QList<QPoint>{{l, t}, {l + 1, t}, {l, t + 1}, {r, t}, {r - 1, t}, {r, t + 1}});
  }
  if (bottom) {
    painter.drawPoints(QList<QPoint>{{l, b}, {l + 1, b}, {l, b - 1}, {r, b}, {r - 1, b}, {r, b - 1}});
  }
}

void DrawCaption(QPainter& painter, const QRect& box, const QString& text, const QColor& colour, bool bold) {
  QFont font(platform::qt::FromCp949(compose::FaceName(compose::kDefaultFace)));
  font.setPixelSize(12);
  font.setBold(bold);
  painter.setFont(font);
  painter.setPen(colour);
  painter.setBackgroundMode(Qt::TransparentMode);
  const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, box.width());
  painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
}

}  // namespace orvinta::components::frame
