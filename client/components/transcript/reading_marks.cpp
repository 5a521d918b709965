#include "client/components/transcript/reading_marks.h"

#include <QApplication>
#include <algorithm>

namespace orvinta::components::transcript {
namespace {

QFont PixelFont(int pixels) {
  QFont font = QApplication::font();
  font.setPixelSize(pixels);
  return font;
}

}  // namespace

void DrawUnreadMarker(QPainter& painter, int top, int width) {
  const QString text = QStringLiteral("여기부터 읽지 않은 메시지");
  painter.setFont(PixelFont(11));
  const int textWidth = painter.fontMetrics().horizontalAdvance(text), mid = top + kMarkerHeight / 2;
  const int left = (width - textWidth) / 2 - 6, right = (width + textWidth) / 2 + 6;
  painter.fillRect(0, mid, std::max(0, left), 1, QColor(0xE0, 0x80, 0x80));
  painter.fillRect(right, mid, std::max(0, width - right), 1, QColor(0xE0, 0x80, 0x80));
  painter.setPen(QColor(0xD0, 0x50, 0x50));
  painter.drawText(QRect(0, top, width, kMarkerHeight), Qt::AlignCenter, text);
}

QString NewLinesText(std::size_t count) { return QStringLiteral("새 메시지 %1개 ↓").arg(count); }

QRect NewLinesBarRect(QSize size, int textWidth) {
  const QFontMetrics metrics(PixelFont(12));
  const int height = metrics.height() + 4;
  const int width = textWidth + 24;  // 12 pixels each side
  return QRect((size.width() - width) / 2, size.height() - 6 - height, width, height);
}

int DrawNewLinesBar(QPainter& painter, QSize size, const QString& text) {
  painter.setFont(PixelFont(12));
  const int textWidth = std::max(painter.boundingRect(QRect(), Qt::AlignLeft, text).width(),
                                 painter.fontMetrics().horizontalAdvance(text));
  const QRect bar = NewLinesBarRect(size, textWidth);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 90));
  painter.drawRoundedRect(QRectF(bar).translated(0, 1), 10, 10);
  painter.setBrush(QColor(0x4A, 0x6F, 0xB5));
  painter.drawRoundedRect(bar, 10, 10);
  painter.setPen(Qt::white);
  painter.drawText(bar, Qt::AlignCenter, text);
  painter.restore();
  return textWidth;
}

}  // namespace orvinta::components::transcript
