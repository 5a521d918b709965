#pragma once
// The portal's six status pictures (s1.gif .. s6.gif under the community
// image base), fetched once for the whole client and shared by every room's
// member list. Until a picture has come, or when it cannot be had, the rows
// draw the program's own status mark instead.
#include <QElapsedTimer>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <array>

class QNetworkAccessManager;

namespace orvinta::components {

class StatusPictures final : public QObject {
  Q_OBJECT
 public:
  static constexpr int kSize = 16;                   // shown 16 x 16 whatever the file's size
  static constexpr qint64 kMaxBytes = 32 * 1024;     // a reply longer than this is dropped
  static constexpr int kMaxSide = 256;               // nor is a larger picture decoded
  static constexpr int kTimeoutMs = 15000;
  static constexpr qint64 kRetryAfterMs = 5 * 60 * 1000;  // a failed picture is asked for again no sooner

  // `imageBase` ends with "/"; the pictures are under its "img/status/".
  explicit StatusPictures(QString imageBase, QObject* parent = nullptr);

  // The picture of status 1-6, null while it has not come (the first call
  // starts its fetch) and for any other status.
  const QPixmap& Picture(int status);

 signals:
  // A picture has come: lists showing that status repaint.
  void arrived();

 private:
  enum class State { Unasked, Asked, Arrived, Failed };
  struct Entry {
    State state = State::Unasked;
    QPixmap picture;
    QElapsedTimer failedAt;
  };
  void Fetch(int status);
  void Take(int status, const QByteArray& bytes);

  QString base_;
  std::array<Entry, 6> entries_;
  QNetworkAccessManager* network_ = nullptr;
};

}  // namespace orvinta::components
