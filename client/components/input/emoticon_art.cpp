#include "client/components/input/emoticon_art.h"

#include "client/compose/emoticons.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

using compose::kEmoticons;

// ":/emoticons/icon_01.png" for the table's "icon_01.gif": the client's
// pictures carry the portal's names, so both show the same drawing.
QString ResourcePath(std::size_t index) {
  QString name = QString::fromLatin1(kEmoticons[index].image.data(), static_cast<qsizetype>(kEmoticons[index].image.size()));
  name.truncate(name.lastIndexOf(QLatin1Char('.')));
  return QStringLiteral(":/emoticons/%1.png").arg(name);
}

QString TwiceSizePath(std::size_t index) {
  QString path = ResourcePath(index);
  path.insert(path.size() - 4, QStringLiteral("@2x"));
  return path;
}

}  // namespace

std::size_t EmoticonCount() { return kEmoticons.size(); }

QString EmoticonKeyword(std::size_t index) {
  if (index >= kEmoticons.size()) return {};
  return platform::qt::FromCp949(kEmoticons[index].keyword);
}

QImage EmoticonImage(std::size_t index, qreal devicePixelRatio) {
  if (index >= kEmoticons.size()) return {};
  if (devicePixelRatio <= 1.0) return QImage(ResourcePath(index));
  QImage image(TwiceSizePath(index));
  image.setDevicePixelRatio(2.0);
  return image;
}

QIcon EmoticonIcon(std::size_t index) {
  if (index >= kEmoticons.size()) return {};
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(EmoticonImage(index)));
  icon.addPixmap(QPixmap::fromImage(EmoticonImage(index, 2.0)));
  return icon;
}

}  // namespace orvinta::components
