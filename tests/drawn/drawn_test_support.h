#pragma once
// Rendering widgets for pixel checks and for the pictures we look at.
#include <QColor>
#include <QDir>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QString>
#include <QWidget>
#include <cstdlib>

namespace orvinta::components::drawn_test {

// The Korean faces resolve to the fonts the program ships aliases for.
inline const bool kFontsConfigured = setenv("FONTCONFIG_FILE", ORVINTA_FONTS_CONF, 0) == 0;

inline QImage Render(QWidget& widget, qreal ratio) {
  QImage image((QSizeF(widget.size()) * ratio).toSize(), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(QColor(1, 2, 3));
  widget.render(&image);
  return image;
}

// The colour of logical pixel (x, y); at 2x every device pixel under it must agree.
inline QColor At(const QImage& image, int x, int y) {
  const int r = static_cast<int>(image.devicePixelRatio());
  const QColor colour = image.pixelColor(x * r, y * r);
  for (int dy = 0; dy < r; ++dy) {
    for (int dx = 0; dx < r; ++dx) {
      if (image.pixelColor(x * r + dx, y * r + dy) != colour) return QColor(Qt::transparent);
    }
  }
  return colour;
}

// A pointer movement delivered at once, the same on every platform.
inline void MoveMouse(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

inline void SavePicture(const QImage& image, const QString& name) {
  QDir().mkpath(QStringLiteral(ORVINTA_PICTURES_DIR));
  image.save(QStringLiteral(ORVINTA_PICTURES_DIR "/") + name);
}

}  // namespace orvinta::components::drawn_test
