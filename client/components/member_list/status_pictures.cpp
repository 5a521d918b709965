#include "client/components/member_list/status_pictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace orvinta::components {

StatusPictures::StatusPictures(QString imageBase, QObject* parent) : QObject(parent), base_(std::move(imageBase)) {}

const QPixmap& StatusPictures::Picture(int status) {
  static const QPixmap none;
  if (status < 1 || status > static_cast<int>(entries_.size())) return none;
  Entry& entry = entries_[status - 1];
  if (entry.state == State::Unasked || (entry.state == State::Failed && entry.failedAt.hasExpired(kRetryAfterMs))) {
    Fetch(status);
  }
  return entry.picture;
}

void StatusPictures::Fetch(int status) {
  entries_[status - 1].state = State::Asked;
  if (!network_) network_ = new QNetworkAccessManager(this);
  QNetworkRequest request(QUrl(base_ + QStringLiteral("img/status/s%1.gif").arg(status)));
  request.setTransferTimeout(kTimeoutMs);
  QNetworkReply* reply = network_->get(request);
  connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
    if (received > kMaxBytes) reply->abort();
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply, status] {
    reply->deleteLater();
    Take(status, reply->error() == QNetworkReply::NoError ? reply->read(kMaxBytes) : QByteArray());
  });
}

void StatusPictures::Take(int status, const QByteArray& bytes) {
  Entry& entry = entries_[status - 1];
  QBuffer buffer;
  buffer.setData(bytes);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  QImage image;
  if (!bytes.isEmpty() && size.isValid() && size.width() <= kMaxSide && size.height() <= kMaxSide) image = reader.read();
  if (image.isNull()) {
    entry.state = State::Failed;
    entry.failedAt.start();
    return;  // the mark already drawn stays
  }
  if (image.size() != QSize(kSize, kSize)) {
    image = image.scaled(kSize, kSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  entry.picture = QPixmap::fromImage(image);
  entry.state = State::Arrived;
  emit arrived();
}

}  // namespace orvinta::components
