#include "client/components/member_list/member_icons.h"

#include <QFile>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace orvinta::components {

MemberIcons& MemberIcons::Shared() {
  static MemberIcons* icons = new MemberIcons;  // lives as long as the program's views may
  return *icons;
}

int MemberIcons::Intern(const QString& address, QSize box) {
  const QString key = box.isEmpty() ? address : address + QStringLiteral("\n%1x%2").arg(box.width()).arg(box.height());
  if (const auto found = slots_.constFind(key); found != slots_.constEnd()) return *found;
  const QUrl url(address);
  const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
  if ((!web && !address.startsWith(QLatin1String(":/"))) || slots_.size() >= kMaxPictures) return -1;
  const int slot = static_cast<int>(pictures_.size());
  pictures_.emplace_back();
  boxes_.push_back(box);
  slots_.insert(key, slot);
  Fetch(slot, address);
  return slot;
}

const QPixmap& MemberIcons::Pixmap(int slot) const {
  static const QPixmap none;
  return slot >= 0 && slot < static_cast<int>(pictures_.size()) ? pictures_[slot] : none;
}

void MemberIcons::Fetch(int slot, const QString& address) {
  if (address.startsWith(QLatin1String(":/"))) {
    QFile file(address);
    if (file.open(QIODevice::ReadOnly)) Take(slot, file.read(kMaxPictureBytes));
    return;
  }
  if (!network_) network_ = new QNetworkAccessManager(this);
  QNetworkRequest request{QUrl(address)};
  request.setTransferTimeout(15000);
  QNetworkReply* reply = network_->get(request);
  connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
    if (received > kMaxPictureBytes) reply->abort();
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply, slot] {
    reply->deleteLater();
    if (reply->error() == QNetworkReply::NoError) Take(slot, reply->read(kMaxPictureBytes));
  });
}

void MemberIcons::Take(int slot, const QByteArray& bytes) {
  QImage image;
  if (!image.loadFromData(bytes) || image.isNull()) return;
  if (!boxes_[slot].isEmpty()) {
    pictures_[slot] = QPixmap::fromImage(image.scaled(boxes_[slot], Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    emit arrived();
    return;
  }
  // Shown 19 pixels wide, the height in proportion, as the list always drew them.
  QImage shown = image.width() == kWidth ? image : image.scaledToWidth(kWidth, Qt::SmoothTransformation);
  if (shown.height() > kMaxHeight) shown = shown.copy(0, 0, kWidth, kMaxHeight);
  pictures_[slot] = QPixmap::fromImage(shown);
  emit arrived();
}

}  // namespace orvinta::components
