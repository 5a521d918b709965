#include "client/components/notifier/notifier_painting.h"

#include <QApplication>
#include <QFontMetrics>

#include "client/components/notifier/button_frame.h"
#include "client/components/notifier/notifier_skins.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }
QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

int AlignmentOf(const TextPlacement& p, bool centreVertically) {
  int flags = p.horizontal == HAlign::Center ? Qt::AlignHCenter : p.horizontal == HAlign::Right ? Qt::AlignRight
                                                                                                 : Qt::AlignLeft;
  if (centreVertically || p.vertical == VAlign::Center) {
    flags |= Qt::AlignVCenter;
  } else {
    flags |= p.vertical == VAlign::Bottom ? Qt::AlignBottom : Qt::AlignTop;
  }
  flags |= p.singleLine ? Qt::TextSingleLine : (p.wordBreak ? Qt::TextWordWrap : 0);
  return flags;
}

void DrawText(QPainter& painter, const Rect& area, const std::string& text, const QFont& font, Rgb colour,
              const TextPlacement& placement, bool centreVertically) {
  painter.setFont(font);
  painter.setPen(ToQColor(colour));
  const QRect box = ToQRect(area);
  painter.drawText(box, AlignmentOf(placement, centreVertically),
                   LineAsDrawn(platform::qt::FromCp949(text), font, box.width(), placement));
}

}  // namespace

QFont FontOf(const FontSpec& spec) {
  QFont font = spec.face.empty() ? QApplication::font() : QFont(platform::qt::FromCp949(spec.face));
  if (spec.tenths > 0) font.setPointSizeF(spec.tenths / 10.0);
  font.setWeight((spec.style & kFontBold) ? QFont::Bold : QFont::Normal);
  font.setItalic((spec.style & kFontItalic) != 0);
  font.setUnderline((spec.style & kFontUnderline) != 0);
  return font;
}

QString LineAsDrawn(const QString& line, const QFont& font, int width, const TextPlacement& placement) {
  if (!placement.singleLine || !placement.endEllipsis) return line;
  return QFontMetrics(font).elidedText(line, Qt::ElideRight, width);
}

void PaintNotifier(QPainter& painter, const NotifierScene& scene, qreal ratio) {
  const QRect visible(0, 0, scene.size.width, scene.size.height);
  painter.save();
  painter.setClipRect(visible);
  const QPixmap skin = NotifierSkin(scene.skinId, ratio);
  if (skin.isNull()) {
    painter.fillRect(visible, QColor(0xFC, 0xFC, 0xFC));
  } else {
    painter.drawPixmap(QPoint(0, 0), skin);  // uncovered from its top as the popup grows
  }
  const QFont textFont = FontOf(scene.textFont);
  for (const auto& line : scene.lines) {
    DrawText(painter, line.area, line.text, textFont, scene.textColour, scene.placement, false);
  }
  const QFont hoverFont = FontOf(scene.hoverFont);
  for (const auto& button : scene.buttons) {
    for (const auto& stroke : ButtonFrame(button.area)) painter.fillRect(ToQRect(stroke.area), ToQColor(stroke.colour));
    // Labels sit in the middle of their frame, whatever the text's vertical placement.
    DrawText(painter, button.area, button.label, button.pointedAt ? hoverFont : textFont,
             button.pointedAt ? scene.hoverColour : scene.textColour, scene.placement, true);
  }
  painter.restore();
}

}  // namespace orvinta::components
