#include "client/components/input/emoticon_art.h"

#include <QPainter>
#include <array>

#include "client/components/input/rich_edit2.h"
#include "client/compose/compose_tables.h"
#include "client/window/emoticons.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

using window::kEmoticons;

QColor FaceColour(std::size_t index) {
  // Hues spread over the circle in steps that put neighbours far apart.
  const int hue = static_cast<int>((index * 7 % kEmoticons.size()) * 360 / kEmoticons.size());
  const int saturation = index % 2 == 0 ? 150 : 220;
  return QColor::fromHsv(hue, saturation, 245);
}

QImage Draw(std::size_t index) {
  QImage image(kEmoticonPixels, kEmoticonPixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor face = FaceColour(index);
  painter.setPen(QPen(face.darker(180), 1.2));
  painter.setBrush(face);
  painter.drawEllipse(QRectF(1.5, 1.5, kEmoticonPixels - 3, kEmoticonPixels - 3));

  QFont font(FaceFamily(compose::kDefaultFace));
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(face.lightness() > 150 ? QColor(40, 40, 40) : QColor(255, 255, 255));
  painter.drawText(QRect(0, 0, kEmoticonPixels, kEmoticonPixels), Qt::AlignCenter, EmoticonKeyword(index).mid(1, 1));
  return image;
}

}  // namespace

std::size_t EmoticonCount() { return kEmoticons.size(); }

QString EmoticonKeyword(std::size_t index) {
  if (index >= kEmoticons.size()) return {};
  return platform::qt::FromCp949(kEmoticons[index].keyword);
}

QImage EmoticonImage(std::size_t index) {
  static std::array<QImage, kEmoticons.size()> drawn;
  if (index >= drawn.size()) return {};
  if (drawn[index].isNull()) drawn[index] = Draw(index);
  return drawn[index];
}

}  // namespace orvinta::components
