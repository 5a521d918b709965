#pragma once
// Pictures by address (members' icons, emoticons), each fetched once for the
// whole program and shared by every row and room that shows it.
#include <QHash>
#include <QObject>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

namespace orvinta::components {

class MemberIcons final : public QObject {
  Q_OBJECT
 public:
  static MemberIcons& Shared();

  // The slot of the picture at `address` (http, https or a resource path
  // beginning with ":/"); the first request starts its fetch. -1: no picture
  // (an address of another kind, or the table is full). An empty `box`
  // scales the picture as the member list shows it; a box is filled exactly.
  int Intern(const QString& address, QSize box = {});
  // The picture of a slot, scaled to the rows' width; null until fetched.
  const QPixmap& Pixmap(int slot) const;

  // Addresses are untrusted: the table and each picture are bounded.
  static constexpr int kMaxPictures = 4096;
  static constexpr qint64 kMaxPictureBytes = 256 * 1024;
  static constexpr int kWidth = 19;
  static constexpr int kMaxHeight = 24;  // a row's height

 signals:
  // A picture has arrived: views showing it repaint.
  void arrived();

 private:
  MemberIcons() = default;
  void Fetch(int slot, const QString& address);
  void Take(int slot, const QByteArray& bytes);

  QHash<QString, int> slots_;
  std::vector<QPixmap> pictures_;
  std::vector<QSize> boxes_;
  QNetworkAccessManager* network_ = nullptr;
};

}  // namespace orvinta::components
