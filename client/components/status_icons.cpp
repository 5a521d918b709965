#include "client/components/status_icons.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace orvinta::components {
namespace {

struct StatusLook {
  const char* text;
  QRgb colour;
};

constexpr std::array<StatusLook, kStatusCount> kStatuses = {{
    {"온라인", 0x2FA84F},
    {"멀티대화중", 0x3B7DD8},
    {"잠수중", 0x7A5BC7},
    {"자리비움", 0xF0B323},
    {"다른용무중", 0xE5732E},
    {"통화중", 0xD8343B},
    {"식사중", 0x8C6239},
}};

}  // namespace

QString StatusText(int status) {
  return status >= 0 && status < kStatusCount ? QString::fromUtf8(kStatuses[status].text) : QString();
}

QIcon StatusIcon(int status) {
  // Drawn for scale 1 and 2, so a screen at twice the density gets a sharp mark.
  QIcon icon;
  for (const int scale : {1, 2}) {
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    if (status >= 0 && status < kStatusCount) {
      QPainter painter(&pixmap);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
      painter.setBrush(QColor(kStatuses[status].colour));
      painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    }
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace orvinta::components
