#pragma once
// What the popup paints, as data: the skin, up to three lines of text and the
// answer buttons with their labels and whether each is pointed at.
#include <string>
#include <string_view>
#include <vector>

#include "client/components/notifier/notifier_settings.h"

namespace orvinta::components {

inline constexpr int kMaxShownLines = 3;
inline constexpr int kLineSpacing = 18;

struct TextLine {
  std::string text;  // code page 949
  Rect area;
  bool operator==(const TextLine&) const = default;
};

struct ButtonLook {
  Rect area;
  std::string label;
  bool pointedAt = false;  // drawn with the hover colour and font
};

struct NotifierScene {
  int skinId = 0;
  Size size;  // the part of the skin uncovered so far
  std::vector<TextLine> lines;
  TextPlacement placement;
  FontSpec textFont;
  FontSpec hoverFont;
  Rgb textColour;
  Rgb hoverColour;
  std::vector<ButtonLook> buttons;
};

// The text split at line feeds into at most three lines, line i in the text
// area moved down 18 x i pixels. A carriage return before a line feed is dropped.
std::vector<TextLine> LayOutLines(std::string_view text, const Rect& textArea);

}  // namespace orvinta::components
