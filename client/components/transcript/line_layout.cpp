#include "client/components/transcript/line_layout.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <algorithm>

#include "client/compose/compose_tables.h"
#include "client/compose/emoticons.h"
#include "client/components/member_list/member_icons.h"
#include "client/window/icon_url.h"
#include "client/window/line_display.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components::transcript {
namespace {

using window::DisplaySpan;
using window::LineKind;

constexpr int kIconSize = 19, kEmoticonSize = 20, kBannerHeight = 35, kBannerSide = 8, kPadding = 3;
constexpr int kNickLeft = 40, kNickWidth = 95, kArrowLeft = 135, kBandLeft = 35, kBandWidth = 118;
const QColor kDefaultText(0x33, 0x33, 0x33);

QColor Rgb(std::uint32_t value) { return QColor::fromRgb(value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF); }

QFont BaseFont(bool bold = false) {
  QFont font = QApplication::font();
  font.setPixelSize(12);
  font.setBold(bold);
  return font;
}

// The line's face and size as the page set them (CSS points at 96 dots an inch).
QFont ChatFont(const window::TranscriptLine& line) {
  const auto faces = compose::FaceNames();
  QFont font = BaseFont();
  if (line.face < faces.size()) font.setFamilies({platform::qt::FromCp949(faces[line.face]), QApplication::font().family()});
  int points = 0;
  for (const char c : line.Size()) points = c >= '0' && c <= '9' ? points * 10 + (c - '0') : points;
  font.setPixelSize(std::clamp((points * 4 + 1) / 3, 1, 132));
  font.setBold(line.style & window::kBold);
  font.setItalic(line.style & window::kItalic);
  font.setUnderline(line.style & window::kUnderline);
  return font;
}

bool IsWordLetter(QChar c) { return c.isLetterOrNumber(); }

// Lines break as the page's keep-all did: between words, never inside one
// (Korean included) unless the word is wider than the line, which then
// breaks anywhere.
qreal BreakIntoLines(QTextLayout& layout, qreal width) {
  const QString& text = layout.text();
  QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
  qreal y = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    const int start = line.textStart(), end = start + line.textLength();
    if (end < text.size() && end > start && text[end - 1] != kLineSeparator && text[end - 1] != QLatin1Char(' ')) {
      int at = end;
      while (at > start) {
        breaks.setPosition(at);
        if (breaks.isAtBoundary() && !(IsWordLetter(text[at - 1]) && IsWordLetter(text[at]))) break;
        --at;
      }
      if (at > start && at < end) line.setNumColumns(at - start, width);
    }
    line.setPosition(QPointF(0, y));
    y += line.height();
  }
  layout.endLayout();
  // As in a page, a break at the very end starts no line of its own.
  const int count = layout.lineCount();
  if (count > 1 && text.endsWith(kLineSeparator) && layout.lineAt(count - 1).textLength() == 0) {
    y -= layout.lineAt(count - 1).height();
  }
  return y;
}

struct Built {
  QString text;
  QList<QTextLayout::FormatRange> formats;
};

// The spans as one text with formats for the parts that differ from the line's own.
Built BuildText(const window::TranscriptLine& line, const QFont& font, LaidLine& out) {
  Built built;
  QFont emoticonFont = font;
  const QFontMetricsF metrics(font);
  if (metrics.height() < kEmoticonSize) emoticonFont.setPixelSize(font.pixelSize() * kEmoticonSize / metrics.height() + 1);
  emoticonFont.setUnderline(false);
  emoticonFont.setLetterSpacing(QFont::AbsoluteSpacing,
                                kEmoticonSize - QFontMetricsF(emoticonFont).horizontalAdvance(kEmoticonChar));
  for (const DisplaySpan& span : window::DisplaySpans(line)) {
    const int start = static_cast<int>(built.text.size());
    QTextCharFormat format;
    switch (span.kind) {
      case DisplaySpan::Kind::LineBreak: built.text += kLineSeparator; continue;
      case DisplaySpan::Kind::Emoticon: {
        built.text += kEmoticonChar;
        format.setFont(emoticonFont);
        out.emoticons.push_back({start, span.emoticon});
        break;
      }
      case DisplaySpan::Kind::Link: {
        // A link keeps its line's colour and size, underlined.
        built.text += platform::qt::FromDisplayText(span.text);
        format.setFontUnderline(true);
        out.links.push_back({start, static_cast<int>(built.text.size()) - start, platform::qt::FromDisplayText(span.text)});
        break;
      }
      case DisplaySpan::Kind::Text:
        built.text += platform::qt::FromDisplayText(span.text);
        if (!span.bold && span.colour == DisplaySpan::kLineColour) continue;
        if (span.bold) format.setFontWeight(QFont::Bold);
        if (span.colour != DisplaySpan::kLineColour) format.setForeground(Rgb(span.colour));
        break;
    }
    built.formats.push_back({start, static_cast<int>(built.text.size()) - start, format});
  }
  return built;
}

}  // namespace

QString LayoutText(const window::TranscriptLine& line) {
  QString text = platform::qt::FromDisplayText(window::DisplayText(line));
  text.replace(QLatin1Char('\n'), kLineSeparator).replace(QChar(window::kEmoticonMark), kEmoticonChar);
  return text;
}

int LayoutPosition(const window::TranscriptLine& line, std::size_t byteOffset) {
  const std::string text = window::DisplayText(line);
  return static_cast<int>(platform::qt::FromDisplayText(std::string_view(text).substr(0, std::min(byteOffset, text.size()))).size());
}

std::unique_ptr<LaidLine> LayOut(const window::TranscriptLine& line, const window::PortalConfig& portal, int width) {
  auto out = std::make_unique<LaidLine>();
  out->kind = line.kind;
  out->mention = line.mention;
  const bool chat = line.kind == LineKind::Chat;
  const QFont font = chat ? ChatFont(line) : BaseFont(line.kind == LineKind::Banner || line.kind == LineKind::ClearedNotice);
  out->colour = Rgb(window::LineColour(line));
  Built built = BuildText(line, font, *out);
  out->text.setText(built.text);
  out->text.setFont(font);
  out->text.setFormats(built.formats);
  out->text.setCacheEnabled(true);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  option.setAlignment(chat ? Qt::AlignLeft : Qt::AlignHCenter);
  out->text.setTextOption(option);

  if (chat) {
    const qreal textHeight = BreakIntoLines(out->text, std::max(1, width - kTextLeft));
    const QFont nickFont = BaseFont(true);
    const QFontMetrics nickMetrics(nickFont);
    out->height = std::max({kIconSize, kPadding + nickMetrics.height(), kPadding + static_cast<int>(std::ceil(textHeight))});
    out->textAt = QPointF(kTextLeft, kPadding);
    out->nick = nickMetrics.elidedText(platform::qt::FromDisplayText(window::DecodeEntities(line.nick)), Qt::ElideRight, kNickWidth);
    out->dark = window::IsDarkColour(line.BackColour());
    out->back = Rgb(window::HexColour(line.BackColour(), 0xFFFFFF));
    out->iconSlot = MemberIcons::Shared().Intern(QString::fromStdString(window::IconUrl(portal, line.icon, false)),
                                                 QSize(kIconSize, kIconSize));
    for (auto& [position, slot] : out->emoticons) {
      const QString address = QString::fromStdString(portal.emoticonBase + std::string(compose::kEmoticons[slot].image));
      slot = MemberIcons::Shared().Intern(address, QSize(kEmoticonSize, kEmoticonSize));
    }
    return out;
  }
  if (line.kind == LineKind::Banner) {
    const qreal textHeight = BreakIntoLines(out->text, std::max(1, width - 2 * kBannerSide));
    out->height = std::max(kBannerHeight, kPadding + static_cast<int>(std::ceil(textHeight)));
    out->textAt = QPointF(kBannerSide, kPadding + (out->height - kPadding - textHeight) / 2);
    return out;
  }
  const qreal textHeight = BreakIntoLines(out->text, std::max(1, width));
  out->height = kPadding + static_cast<int>(std::ceil(textHeight));
  out->textAt = QPointF(0, kPadding);
  return out;
}

void Draw(QPainter& painter, const LaidLine& line, int top, int width,
          const QList<QTextLayout::FormatRange>& selections) {
  if (line.mention) {
    painter.fillRect(0, top, width, line.height, QColor(0xFF, 0xF1, 0xD6));
    painter.fillRect(0, top, 3, line.height, QColor(0xE8, 0x91, 0x2D));
  }
  if (line.kind == LineKind::Banner) {
    painter.fillRect(kBannerSide, top, width - 2 * kBannerSide, line.height, QColor(0xF7, 0xF1, 0xE3));
  }
  if (line.kind == LineKind::Chat) {
    const QPixmap& icon = MemberIcons::Shared().Pixmap(line.iconSlot);
    if (!icon.isNull()) painter.drawPixmap((kBandLeft - kIconSize) / 2, top + (line.height - kIconSize) / 2, icon);
    painter.fillRect(kBandLeft, top, kBandWidth, line.height, line.back);
    painter.setPen(line.dark ? QColor(Qt::white) : kDefaultText);
    painter.setFont(BaseFont(true));
    const int cellTop = top + kPadding, cellHeight = line.height - kPadding;
    painter.drawText(QRect(kNickLeft, cellTop, kNickWidth, cellHeight), Qt::AlignLeft | Qt::AlignVCenter, line.nick);
    painter.setFont(BaseFont());
    painter.drawText(QRect(kArrowLeft, cellTop, 18, cellHeight), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("▶"));
  }
  const QPointF at(line.textAt.x(), top + line.textAt.y());
  painter.setPen(line.colour);
  line.text.draw(&painter, at, selections);
  for (const auto& [position, slot] : line.emoticons) {
    const QPixmap& picture = MemberIcons::Shared().Pixmap(slot);
    const QTextLine row = line.text.lineForTextPosition(position);
    if (picture.isNull() || !row.isValid()) continue;
    const qreal x = row.cursorToX(position), right = row.cursorToX(position + 1);
    painter.drawPixmap(QPointF(at.x() + x + (right - x - kEmoticonSize) / 2,
                               at.y() + row.y() + (row.height() - kEmoticonSize) / 2), picture);
  }
}

int PositionAt(const LaidLine& line, QPointF point) {
  if (line.kind == LineKind::Chat && point.x() < line.textAt.x()) return -1;
  const QPointF in = point - line.textAt;
  if (line.text.lineCount() == 0) return 0;
  for (int i = 0; i < line.text.lineCount(); ++i) {
    const QTextLine row = line.text.lineAt(i);
    if (in.y() < row.y() + row.height()) return in.y() < 0 && i == 0 ? 0 : row.xToCursor(in.x());
  }
  return static_cast<int>(line.text.text().size());
}

const LinkRange* LinkAt(const LaidLine& line, QPointF point) {
  if (line.links.empty()) return nullptr;
  const QPointF in = point - line.textAt;
  for (int i = 0; i < line.text.lineCount(); ++i) {
    const QTextLine row = line.text.lineAt(i);
    if (in.y() < row.y() || in.y() >= row.y() + row.height()) continue;
    if (in.x() < row.x() || in.x() >= row.x() + row.naturalTextWidth()) return nullptr;
    const int position = row.xToCursor(in.x(), QTextLine::CursorOnCharacter);
    for (const LinkRange& link : line.links) {
      if (position >= link.start && position < link.start + link.length) return &link;
    }
    return nullptr;
  }
  return nullptr;
}

const LaidLine& LayoutCache::At(std::size_t index) {
  const std::uint64_t number = lines_.FirstNumber() + index;
  if (auto found = map_.find(number); found != map_.end()) {
    ages_.splice(ages_.begin(), ages_, found->second.age);
    return *found->second.line;
  }
  while (map_.size() >= kCapacity) {
    map_.erase(ages_.back());
    ages_.pop_back();
  }
  ages_.push_front(number);
  Entry& entry = map_[number];
  entry.line = LayOut(lines_[index], portal_, width_);
  entry.age = ages_.begin();
  return *entry.line;
}

void LayoutCache::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  Clear();
}

void LayoutCache::Clear() {
  map_.clear();
  ages_.clear();
}

}  // namespace orvinta::components::transcript
