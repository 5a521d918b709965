#pragma once
// The rich text line of the main window's input and of the monitor log. Text
// crosses its interface as code page 949 bytes; inserted web, file-transfer,
// mail and media addresses are marked as links that a click never opens.
#include <QTextCharFormat>
#include <QTextEdit>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvinta::components {

class CRichEdit2 : public QTextEdit {
  Q_OBJECT
 public:
  explicit CRichEdit2(QWidget* parent = nullptr);

  // Size in points, colour 0x00BBGGRR, effects 1 bold / 2 italic / 4 underline /
  // 8 strike-out, face code 1..4. Applied to the text already there as well.
  void SetDefaultFormat(int points, std::uint32_t colour, int effects, int faceCode);
  const QTextCharFormat& DefaultFormat() const { return defaultFormat_; }

  // Inserts at the caret, replacing the selection, with links marked.
  void InsertText(std::string_view text);
  // Appends at the end in `colour` and `effects` with the face "굴림" (the log's lines).
  void InsertText(std::string_view text, std::uint32_t colour, int effects);

  std::string PlainText() const;
  void SetText(std::string_view text);
  std::string SelectedText() const;
  void ReplaceSelection(std::string_view text);

  // The link under the last left-button press that landed on one.
  QString LastClickedLink() const { return lastClickedLink_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Insert(std::string_view text, const QTextCharFormat* given);
  void ScrollToBottom();

  QTextCharFormat defaultFormat_;
  QString lastClickedLink_;
};

// The font family of a face code (anything but 2, 3, 4 is "굴림").
QString FaceFamily(int faceCode);

}  // namespace orvinta::components
