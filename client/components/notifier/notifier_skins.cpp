#include "client/components/notifier/notifier_skins.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <map>
#include <utility>

#include "client/components/notifier/notifier_settings.h"

namespace orvinta::components {
namespace {

// The main window's palette.
const QColor kBody(0xFC, 0xFC, 0xFC);
const QColor kHeader(0xF3, 0xF3, 0xF3);
const QColor kBorder(0xB3, 0xB3, 0xB3);
const QColor kRule(0xE3, 0xE3, 0xE3);
const QColor kCaption(0x33, 0x33, 0x33);
const QColor kCloseMark(0x88, 0x88, 0x88);
const QColor kInvitationAccent(0xFA, 0x8A, 0x12);
const QColor kVoteAccent(0x11, 0xAA, 0x44);

constexpr int kHeaderHeight = 34;

// Two overlapping speech bubbles: someone asks to talk.
void DrawInvitationMark(QPainter& p, const QColor& accent) {
  p.setPen(Qt::NoPen);
  p.setBrush(accent.lighter(140));
  p.drawRoundedRect(QRectF(19, 12, 14, 10), 3, 3);
  p.setBrush(accent);
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(11, 9, 15, 11), 3, 3);
  bubble.moveTo(14, 19);
  bubble.lineTo(13, 24);
  bubble.lineTo(19, 19);
  p.drawPath(bubble.simplified());
  p.setBrush(Qt::white);
  for (int x : {15, 18, 21}) p.drawEllipse(QPointF(x + 0.5, 14.5), 1.2, 1.2);
}

// A ballot with a tick: the room is voting.
void DrawVoteMark(QPainter& p, const QColor& accent) {
  p.setPen(QPen(accent, 1.5));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(11.5, 8.5, 16, 17), 2, 2);
  p.setPen(QPen(accent, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(15, 17), QPointF(18.5, 20.5), QPointF(24.5, 12.5)}));
}

void DrawCloseBox(QPainter& p) {
  // The close box's hit area is 204,10 to 215,20 inclusive; the cross sits inside it.
  p.setPen(QPen(kCloseMark, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(206, 12), QPointF(213, 19));
  p.drawLine(QPointF(213, 12), QPointF(206, 19));
}

QPixmap Draw(int skinId, qreal ratio) {
  const QColor accent = skinId == kInvitationSkin ? kInvitationAccent : kVoteAccent;
  QPixmap pixmap(QSize(kSkinSize.width, kSkinSize.height) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(kBody);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRect(0, 0, kSkinSize.width, kHeaderHeight), kHeader);
  p.fillRect(QRect(0, 0, kSkinSize.width, 3), accent);
  p.fillRect(QRect(0, kHeaderHeight, kSkinSize.width, 1), kRule);
  if (skinId == kInvitationSkin) {
    DrawInvitationMark(p, accent);
  } else {
    DrawVoteMark(p, accent);
  }
  QFont caption(QStringLiteral("굴림"));
  caption.setPixelSize(12);
  caption.setBold(true);
  p.setFont(caption);
  p.setPen(kCaption);
  p.drawText(QRect(36, 8, 150, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("벨보 미렐"));
  DrawCloseBox(p);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(kBorder);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(0, 0, kSkinSize.width - 1, kSkinSize.height - 1));
  return pixmap;
}

}  // namespace

std::optional<Size> NotifierSkinSize(int skinId) {
  if (skinId != kInvitationSkin && skinId != kVoteSkin) return std::nullopt;
  return kSkinSize;
}

QPixmap NotifierSkin(int skinId, qreal ratio) {
  if (!NotifierSkinSize(skinId)) return {};
  static std::map<std::pair<int, qreal>, QPixmap> drawn;
  auto& pixmap = drawn[{skinId, ratio}];
  if (pixmap.isNull()) pixmap = Draw(skinId, ratio);
  return pixmap;
}

}  // namespace orvinta::components
