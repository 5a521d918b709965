#pragma once
// The message input line as the window logic uses it. Texts are code page
// 949 bytes; emoticon pictures travel as their codes. Colours are 0x00BBGGRR.
#include <cstdint>
#include <string>

namespace orvinta::platform {

class InputLine {
 public:
  virtual ~InputLine() = default;
  // The text with emoticon codes in order, at most 8,192 bytes.
  virtual std::string Content() const = 0;
  virtual void Clear() = 0;
  // The character format of what is typed next: point size, colour,
  // style bits (1 bold, 2 italic, 4 underline), face code (1-4).
  virtual void SetDefaultFormat(int size, std::uint32_t colour, int style, int face) = 0;
  virtual void ReplaceSelection(const std::string& text) = 0;
  // Inserts at the caret with link marking (the F1-F10 shortcut texts).
  virtual void InsertText(const std::string& text) = 0;
  virtual void Focus() = 0;
  virtual void Repaint() = 0;
};

}  // namespace orvinta::platform
