#pragma once
// The message input line: a CRichEdit2 that also holds emoticon pictures,
// hands its content back as text with emoticon codes and sends on Enter. The
// shortcut texts of F1..F10 are the window's (its key filter inserts them).
#include <string>
#include <string_view>

#include "client/components/input/rich_edit2.h"
#include "client/compose/emoticon_codes.h"

namespace orvinta::components {

class CChatInputEdit : public CRichEdit2 {
  Q_OBJECT
 public:
  explicit CChatInputEdit(QWidget* parent = nullptr);

  // Replaces the range [selectionStart, selectionEnd) with the picture of
  // `code`; an empty or unknown code changes nothing (false).
  bool InsertEmoticon(std::string_view code, int selectionStart, int selectionEnd);
  bool InsertEmoticonAtSelection(std::string_view code);

  // Text and emoticon codes in order, at most 8,192 bytes (code page 949);
  // a character code page 949 cannot hold is given as its numeric reference.
  std::string GetTextWithCodes() const;

  // Empties the line and forgets its pictures.
  void ClearText();

 signals:
  void sendRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  compose::EmoticonCodeMap codes_;
  compose::EmoticonObjectId nextObject_ = 1;
};

}  // namespace orvinta::components
