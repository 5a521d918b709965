#include "client/components/input/rich_edit2.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTextCursor>

#include "client/components/input/colorref.h"
#include "client/compose/compose_tables.h"
#include "client/compose/link_segments.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

using platform::qt::FromCp949;
using platform::qt::ToCp949;

void ApplyEffects(QTextCharFormat& format, int effects) {
  format.setFontWeight(effects & compose::kStyleBold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(effects & compose::kStyleItalic);
  format.setFontUnderline(effects & compose::kStyleUnderline);
  format.setFontStrikeOut(effects & compose::kEffectStrikeOut);
}

QTextCharFormat LinkFormat(QTextCharFormat base, const QString& address) {
  base.setAnchor(true);
  base.setAnchorHref(address);
  base.setFontUnderline(true);
  base.setForeground(QColor(0, 0, 255));
  return base;
}

}  // namespace

QString FaceFamily(int faceCode) { return FromCp949(compose::FaceName(faceCode)); }

CRichEdit2::CRichEdit2(QWidget* parent) : QTextEdit(parent) {
  // Pasted text arrives plain; pictures enter only through the program.
  setAcceptRichText(false);
  SetDefaultFormat(compose::kDefaultSize, 0x000000, 0, compose::kDefaultFace);
}

void CRichEdit2::SetDefaultFormat(int points, std::uint32_t colour, int effects, int faceCode) {
  QTextCharFormat format;
  // The Windows control also asks for the Hangul character set (129); Qt
  // chooses glyphs by script, so the family alone carries that intent.
  format.setFontFamilies({FaceFamily(faceCode)});
  format.setFontPointSize(points > 0 ? points : compose::kDefaultSize);
  format.setForeground(ToQColor(colour));
  ApplyEffects(format, effects);
  defaultFormat_ = format;

  // An emptied document falls back to its default font and the palette's text colour.
  QFont font(FaceFamily(faceCode));
  font.setPointSizeF(format.fontPointSize());
  document()->setDefaultFont(font);
  QPalette colours = palette();
  colours.setColor(QPalette::Text, ToQColor(colour));
  setPalette(colours);

  QTextCursor all(document());
  all.select(QTextCursor::Document);
  all.mergeCharFormat(format);
  setCurrentCharFormat(format);
  ScrollToBottom();
}

void CRichEdit2::InsertText(std::string_view text) { Insert(text, nullptr); }

void CRichEdit2::InsertText(std::string_view text, std::uint32_t colour, int effects) {
  if (colour == 0 && effects == 0) {
    Insert(text, nullptr);
    return;
  }
  QTextCharFormat format;
  format.setFontFamilies({FaceFamily(compose::kDefaultFace)});
  format.setForeground(ToQColor(colour));
  ApplyEffects(format, effects);
  Insert(text, &format);
}

void CRichEdit2::Insert(std::string_view text, const QTextCharFormat* given) {
  QTextCursor cursor = textCursor();
  if (given) cursor.movePosition(QTextCursor::End);
  QTextCharFormat leading = cursor.charFormat();
  // Right after an emoticon or a link the caret's format is not one to write text in.
  if (leading.isImageFormat() || leading.isAnchor()) leading = defaultFormat_;
  if (given) leading.merge(*given);  // the size stays the caret's

  bool endsInLink = false;
  cursor.beginEditBlock();
  // Each piece goes where the previous one ended, so a text with a link in
  // the middle stays in order when it is inserted inside the line.
  for (const compose::TextSegment& segment : compose::SegmentLinks(text)) {
    const QString piece = FromCp949(segment.text);
    switch (segment.kind) {
      case compose::SegmentKind::Text:
        cursor.insertText(piece, leading);
        break;
      case compose::SegmentKind::Link:
        cursor.insertText(piece, LinkFormat(leading, piece));
        break;
      case compose::SegmentKind::TextAfterLink:
        cursor.insertText(piece, defaultFormat_);
        break;
    }
    endsInLink = segment.kind == compose::SegmentKind::Link;
  }
  cursor.endEditBlock();

  cursor.movePosition(QTextCursor::End);
  setTextCursor(cursor);
  if (endsInLink) setCurrentCharFormat(defaultFormat_);  // what is typed next is no link
  ScrollToBottom();
  viewport()->update();
}

std::string CRichEdit2::PlainText() const { return ToCp949(toPlainText()); }

void CRichEdit2::SetText(std::string_view text) {
  setPlainText(FromCp949(text));
  QTextCursor all(document());
  all.select(QTextCursor::Document);
  all.setCharFormat(defaultFormat_);
  setCurrentCharFormat(defaultFormat_);
  moveCursor(QTextCursor::End);
}

std::string CRichEdit2::SelectedText() const {
  QString selected = textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  return ToCp949(selected);
}

void CRichEdit2::ReplaceSelection(std::string_view text) {
  QTextCursor cursor = textCursor();
  QTextCharFormat format = cursor.charFormat();
  if (format.isImageFormat() || format.isAnchor()) format = defaultFormat_;
  cursor.insertText(FromCp949(text), format);
  setTextCursor(cursor);
}

void CRichEdit2::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const QString link = anchorAt(event->position().toPoint());
    if (!link.isEmpty()) {
      lastClickedLink_ = link;
      event->accept();  // nothing is opened and the caret stays where it was
      return;
    }
  }
  QTextEdit::mousePressEvent(event);
}

void CRichEdit2::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && !anchorAt(event->position().toPoint()).isEmpty()) {
    event->accept();
    return;
  }
  QTextEdit::mouseReleaseEvent(event);
}

void CRichEdit2::ScrollToBottom() {
  if (QScrollBar* bar = verticalScrollBar()) bar->setValue(bar->maximum());
}

}  // namespace orvinta::components
