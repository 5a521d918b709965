#include "client/components/input/chat_input_edit.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <optional>
#include <vector>

#include "client/components/input/emoticon_art.h"
#include "client/compose/content_assembly.h"
#include "client/compose/emoticons.h"
#include "platform/cp949.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

const QString kObjectScheme = QStringLiteral("orvinta-emoticon:");

QString ObjectName(compose::EmoticonObjectId id) { return kObjectScheme + QString::number(id); }

std::optional<compose::EmoticonObjectId> ObjectIdOf(const QString& name) {
  if (!name.startsWith(kObjectScheme)) return std::nullopt;
  bool ok = false;
  const auto id = name.mid(kObjectScheme.size()).toULongLong(&ok);
  if (!ok) return std::nullopt;
  return id;
}

QString PlainPiece(QString text) {
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::Nbsp, QLatin1Char(' '));
  text.remove(QChar::ObjectReplacementCharacter);  // a picture pasted as plain text
  return text;
}

// A character code page 949 cannot hold (an emoji) travels as its numeric
// reference, which every view of the line shows as the character again.
compose::ContentPiece TextPiece(const QString& text) {
  return compose::ContentPiece::Text(platform::Utf8ToCp949WithReferences(PlainPiece(text).toStdString()).value_or(""));
}

}  // namespace

CChatInputEdit::CChatInputEdit(QWidget* parent) : CRichEdit2(parent), codes_(compose::kEmoticons) {}

bool CChatInputEdit::InsertEmoticon(std::string_view code, int selectionStart, int selectionEnd) {
  const auto index = codes_.IndexOf(code);
  if (!index) return false;
  const QImage image = EmoticonImage(*index);
  if (image.isNull()) return false;

  const int last = std::max(0, document()->characterCount() - 1);
  QTextCursor cursor(document());
  cursor.setPosition(std::clamp(selectionStart, 0, last));
  cursor.setPosition(std::clamp(selectionEnd, 0, last), QTextCursor::KeepAnchor);

  const compose::EmoticonObjectId id = nextObject_++;
  document()->addResource(QTextDocument::ImageResource, QUrl(ObjectName(id)), image);
  QTextImageFormat picture;
  picture.setName(ObjectName(id));
  picture.setWidth(kEmoticonPixels);
  picture.setHeight(kEmoticonPixels);
  picture.setVerticalAlignment(QTextCharFormat::AlignMiddle);
  cursor.insertImage(picture);
  codes_.Record(id, code);
  setTextCursor(cursor);
  return true;
}

bool CChatInputEdit::InsertEmoticonAtSelection(std::string_view code) {
  const QTextCursor cursor = textCursor();
  return InsertEmoticon(code, cursor.selectionStart(), cursor.selectionEnd());
}

std::string CChatInputEdit::GetTextWithCodes() const {
  std::vector<compose::ContentPiece> pieces;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (block != document()->begin()) pieces.push_back(compose::ContentPiece::Text("\r\n"));
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QTextCharFormat format = fragment.charFormat();
      if (!format.isImageFormat()) {
        pieces.push_back(TextPiece(fragment.text()));
        continue;
      }
      if (const auto id = ObjectIdOf(format.toImageFormat().name())) {
        for (int i = 0; i < fragment.length(); ++i) pieces.push_back(compose::ContentPiece::Object(*id));
      }
    }
  }
  return compose::AssembleContent(pieces, codes_);
}

void CChatInputEdit::ClearText() {
  SetText({});
  codes_.Clear();
}

void CChatInputEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    event->accept();  // the line is sent, never broken
    emit sendRequested();
    return;
  }
  if (key == Qt::Key_Up || key == Qt::Key_Down) viewport()->update();
  CRichEdit2::keyPressEvent(event);
}

}  // namespace orvinta::components
