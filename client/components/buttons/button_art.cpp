#include "client/components/buttons/button_art.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace orvinta::buttons {
namespace {

// The settings dialog's buttons sit on its grey band; toolbar art on magenta,
// a colour none of it uses.
const QColor kBand(227, 227, 227);
const QColor kMagenta(255, 0, 255);
const QColor kGreen(136, 198, 149);
const QColor kDarkGreen(77, 139, 84);
const QColor kInk(64, 64, 64);

void DrawTextButton(QPainter& p, const QSizeF& size, const QString& text, const QColor& fill, const QColor& edge,
                    const QColor& ink) {
  const QRectF body(0.5, 0.5, size.width() - 1, size.height() - 1);
  p.setPen(QPen(edge, 1));
  p.setBrush(fill);
  p.drawRoundedRect(body, 3, 3);
  p.setPen(QPen(fill.lighter(115), 1));
  p.drawLine(QPointF(3, 1.5), QPointF(size.width() - 3, 1.5));
  QFont font(QStringLiteral("굴림"));
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  p.setPen(ink);
  p.drawText(body, Qt::AlignCenter, text);
}

// A pink eraser rubbing out a line.
void DrawClear(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(240, 240, 240));
  p.drawRect(QRectF(3.5, 4.5, 13, 14));  // the page
  p.setPen(QPen(QColor(150, 150, 150), 1));
  for (double y : {8.5, 11.5, 14.5}) p.drawLine(QPointF(6, y), QPointF(14, y));
  QPainterPath eraser;
  eraser.moveTo(11, 13);
  eraser.lineTo(17, 7);
  eraser.lineTo(21, 11);
  eraser.lineTo(15, 17);
  eraser.closeSubpath();
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(239, 132, 150));
  p.drawPath(eraser);
  p.setBrush(Qt::white);
  QPainterPath tip;
  tip.moveTo(11, 13);
  tip.lineTo(13, 11);
  tip.lineTo(17, 15);
  tip.lineTo(15, 17);
  tip.closeSubpath();
  p.drawPath(tip);
}

// A key cap with "F" on it and a small gear: the shortcut settings.
void DrawSettings(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(250, 250, 250));
  p.drawRoundedRect(QRectF(2.5, 3.5, 13, 13), 2, 2);
  QFont font(QStringLiteral("Sans"));
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kDarkGreen);
  p.drawText(QRectF(2.5, 3.5, 13, 13), Qt::AlignCenter, QStringLiteral("F"));
  const QPointF centre(16, 15);
  p.setPen(QPen(kInk, 1));
  p.setBrush(kGreen);
  QPainterPath gear;
  for (int i = 0; i < 8; ++i) {
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(45.0 * i);
    gear.addPolygon(turn.map(QPolygonF(QRectF(-1.5, -6, 3, 3))));
  }
  gear.addEllipse(centre, 4.5, 4.5);
  p.drawPath(gear.simplified());
  p.setBrush(Qt::white);
  p.drawEllipse(centre, 1.8, 1.8);
}

// A blue diskette.
void DrawSaveTranscript(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(74, 122, 191));
  QPainterPath body;
  body.moveTo(3.5, 3.5);
  body.lineTo(17.5, 3.5);
  body.lineTo(20.5, 6.5);
  body.lineTo(20.5, 19.5);
  body.lineTo(3.5, 19.5);
  body.closeSubpath();
  p.drawPath(body);
  p.setBrush(QColor(230, 230, 230));
  p.drawRect(QRectF(6.5, 3.5, 10, 6));  // the shutter
  p.setBrush(kInk);
  p.drawRect(QRectF(13, 4.5, 2, 4));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 12.5, 11, 7));  // the label
  p.setPen(QPen(QColor(150, 150, 150), 1));
  p.drawLine(QPointF(8, 15.5), QPointF(16, 15.5));
}

QFont ArtFont(int pixels, bool bold) {
  QFont font(QStringLiteral("굴림"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// A letter on a small key: bold, italic or underlined, as the style it sets.
void DrawStyleLetter(QPainter& p, const QSizeF& size, int id) {
  const QRectF key(1.5, 1.5, size.width() - 3, size.height() - 3);
  p.setPen(QPen(QColor(179, 179, 179), 1));
  p.setBrush(QColor(252, 252, 252));
  p.drawRoundedRect(key, 2, 2);
  QFont font(QStringLiteral("Serif"));
  font.setPixelSize(14);
  font.setBold(id == kArtBold);
  font.setItalic(id == kArtItalic);
  font.setUnderline(id == kArtUnderline);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(key, Qt::AlignCenter, id == kArtBold ? QStringLiteral("B") : id == kArtItalic ? QStringLiteral("I")
                                                                                           : QStringLiteral("U"));
}

// A smiling face.
void DrawEmoticon(QPainter& p, const QSizeF& size) {
  const QPointF centre(size.width() / 2, size.height() / 2);
  p.setPen(QPen(QColor(196, 140, 20), 1));
  p.setBrush(QColor(255, 214, 72));
  p.drawEllipse(centre, 8, 8);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(centre + QPointF(-3, -2.5), 1.2, 1.6);
  p.drawEllipse(centre + QPointF(3, -2.5), 1.2, 1.6);
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(centre.x() - 4.5, centre.y() - 3.5, 9, 8), -20 * 16, -140 * 16);
}

}  // namespace

QSize ArtSize(int id) {
  switch (id) {
    case kArtSave:
    case kArtReset:
      return {76, 22};
    case kArtClear:
    case kArtSettings:
    case kArtSaveTranscript:
    case kArtEmoticon:
      return {24, 22};
    case kArtBold:
    case kArtItalic:
    case kArtUnderline:
      return {22, 22};
    case kArtSend:
      return {44, 20};
    case kArtEnd:
      return {80, 20};
  }
  return {};
}

// Art with letters or curves is drawn smooth on a transparent ground; the
// older art keeps its colour key.
bool OnTransparentGround(int id) {
  switch (id) {
    case kArtSend:
    case kArtEmoticon:
    case kArtBold:
    case kArtItalic:
    case kArtUnderline:
    case kArtEnd:
      return true;
    default:
      return false;
  }
}

QColor ArtTransparentColour(int id) {
  if (OnTransparentGround(id)) return {};
  return id == kArtSave || id == kArtReset ? kBand : kMagenta;
}

QPixmap DrawButtonArt(int id, int scale) {
  const QSize size = ArtSize(id);
  if (size.isEmpty() || scale < 1) return {};
  QPixmap pixmap(size * scale);
  pixmap.setDevicePixelRatio(scale);
  const bool clear = OnTransparentGround(id);
  pixmap.fill(clear ? QColor(Qt::transparent) : ArtTransparentColour(id));
  QPainter p(&pixmap);
  // Shapes are drawn without smoothing where they meet the transparent colour,
  // so no blend of it survives the mask; the band-coloured art may blend, as
  // it always stands on the band.
  const bool onBand = ArtTransparentColour(id) == kBand;
  p.setRenderHint(QPainter::Antialiasing, onBand || clear);
  p.setRenderHint(QPainter::TextAntialiasing, onBand || clear);
  switch (id) {
    case kArtSave:
      DrawTextButton(p, size, QStringLiteral("저장하기"), kGreen, kDarkGreen, Qt::white);
      break;
    case kArtReset:
      DrawTextButton(p, size, QStringLiteral("초기화"), QColor(250, 250, 250), QColor(179, 179, 179), kInk);
      break;
    case kArtClear:
      DrawClear(p);
      break;
    case kArtSettings:
      DrawSettings(p);
      break;
    case kArtSaveTranscript:
      DrawSaveTranscript(p);
      break;
    case kArtBold:
    case kArtItalic:
    case kArtUnderline:
      DrawStyleLetter(p, size, id);
      break;
    case kArtEmoticon:
      DrawEmoticon(p, size);
      break;
    case kArtSend:
      DrawTextButton(p, size, QStringLiteral("전송"), kGreen, kDarkGreen, Qt::white);
      break;
    case kArtEnd:
      DrawTextButton(p, size, QStringLiteral("대화종료"), QColor(250, 250, 250), QColor(179, 179, 179), kInk);
      break;
  }
  return pixmap;
}

}  // namespace orvinta::buttons
