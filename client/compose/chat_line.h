#pragma once
// The eight-field chat line "style|colour|size|face|background|icon|nick|text",
// the text of a "TALL" message: composed here when the user sends, parsed
// here when a line arrives, and rendered by the transcript from the fields.
#include <string>
#include <string_view>
#include <vector>

namespace orvinta::compose {

// The fields as they travel: in nick and text every "%" is doubled and "|"
// is "%%7C". Every field holds a valid value: a parsed field that is not what
// it must be takes the value a new room starts with.
struct ChatLine {
  ChatLine();
  std::string style;       // letters; only "B", "I", "U" matter
  std::string textColour;  // six hex digits
  std::string size;        // decimal points, 1-2 digits
  std::string face;        // one of the four faces
  std::string backColour;  // six hex digits
  std::string icon;        // decimal digits, or empty
  std::string nick;
  std::string text;

  // The line as it goes on the wire.
  std::string Wire() const;
};

// `wire` is the line as it travels.
ChatLine ParseChatLine(std::string_view wire);

// A nick or text field as it is shown: "%%" is "%" and then "%7C" is "|".
std::string ShownField(std::string_view field);

bool IsHexColour(std::string_view text);

// The composer sends a line break of the text as this tag; exactly this tag,
// in any case, is a line break when the text is shown or logged.
inline constexpr std::string_view kLineBreakTag = "<BR>";
// The text cut at each line break (a text without one is one piece).
std::vector<std::string_view> SplitAtLineBreaks(std::string_view text);

}  // namespace orvinta::compose
