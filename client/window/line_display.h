#pragma once
// A transcript line as a native view draws and reads it: styled spans of
// display text (entities decoded, the program's markup of centred lines read),
// and the line's text alone for finding, copying and screen readers.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "client/window/transcript_lines.h"

namespace orvinta::window {

// In a line's display text an emoticon is this one byte and a line break a
// newline, so that offsets in it match a view's text character for character.
inline constexpr char kEmoticonMark = '\x1A';

struct DisplaySpan {
  enum class Kind : std::uint8_t { Text, LineBreak, Emoticon, Link };
  Kind kind = Kind::Text;
  bool bold = false;             // set by a centred line's own markup
  std::uint8_t emoticon = 0;     // index into the emoticon table
  std::uint32_t colour = kLineColour;  // 0xRRGGBB, or the line's colour
  std::string text;              // display text (see platform::kWideMark): a link's text is its address

  static constexpr std::uint32_t kLineColour = 0xFFFFFFFFu;
};

// The spans of a line in order.
std::vector<DisplaySpan> DisplaySpans(const TranscriptLine& line);

// The text of a line as its spans show it (see kEmoticonMark); a chat line's
// text only, without the nick.
std::string DisplayText(const TranscriptLine& line);
// Appends the same to `out`, reusing its storage: finding walks every line.
void AppendDisplayText(const TranscriptLine& line, std::string& out);

// A line as copied or read aloud: a chat line as "nick ▶ text", emoticons as
// their keywords, line breaks as newlines.
std::string PlainText(const TranscriptLine& line);

// A history line's time as shown before its text, "[12:34] "; empty for live lines.
std::string TimeText(const TranscriptLine& line);

// Colours the page gave each kind of line (0xRRGGBB).
std::uint32_t LineColour(const TranscriptLine& line);
// A centred line's colour: entries and departures green, vote lines orange, others grey.
std::uint32_t InfoLineColour(std::string_view markup);
// A chat line's nick column is white on a dark back colour.
bool IsDarkColour(std::string_view hex);
std::uint32_t HexColour(std::string_view hex, std::uint32_t fallback);

// The fixed lines' texts.
std::string_view BannerText();
std::string_view ClearedNoticeText();
std::string_view ClearedWarningText();

// HTML character references decoded as a browser reads them; a character code
// page 949 cannot hold stays as its mark (see platform::kWideMark).
std::string DecodeEntities(std::string_view text);

}  // namespace orvinta::window
