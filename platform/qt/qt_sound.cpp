#include "platform/qt/qt_sound.h"

#include <QFile>
#include <QUrl>

namespace orvinta::platform::qt {

void QtSound::Play(int resourceId) {
  auto& effect = effects_[resourceId];
  if (!effect) {
    const QString path = QStringLiteral(":/sounds/%1.wav").arg(resourceId);
    if (!QFile::exists(path)) return;
    effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl(QStringLiteral("qrc") + path));
  }
  effect->play();
}

}  // namespace orvinta::platform::qt
