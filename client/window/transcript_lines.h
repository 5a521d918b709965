#pragma once
// A room's transcript as lines of our own, kept compactly: what the line is,
// its style, its text cut into runs (text, line breaks, emoticon pictures,
// links). The HTML of a line is made from it when the saved file needs it
// (see line_html.h), so the lines never have to be read back from a page.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvinta::window {

enum class LineKind : std::uint8_t {
  Chat,            // a member's line
  Info,            // a centred line of the program's own (entries, departures, notices)
  Banner,          // the welcome banner of a new room
  ClearedNotice,   // the two lines a cleared screen starts with
  ClearedWarning,
};

// A piece of a chat line's text. Text runs hold the bytes as the page shows
// them (received angle brackets as entities); the others stand for markup.
struct TextRun {
  enum class Kind : std::uint8_t { Text, LineBreak, Emoticon, Link, Markup };
  Kind kind = Kind::Text;
  std::uint8_t emoticon = 0;  // index into the emoticon table
  std::uint32_t length = 0;   // bytes of the line's text (Text: the text; Link: the address; Markup: the tag)
};

enum StyleBits : std::uint8_t { kBold = 1, kItalic = 2, kUnderline = 4 };

struct TranscriptLine {
  LineKind kind = LineKind::Info;
  bool mention = false;      // someone else's chat line naming the user: tinted
  std::uint8_t style = 0;    // StyleBits
  std::uint8_t face = 0;     // index into the composer's face names
  std::array<char, 2> size{};  // the point size's digits as received
  std::uint8_t sizeDigits = 0;
  std::array<char, 6> textColour{}, backColour{};  // six hex digits as received
  // A line from the room's history: when it was said ("HH:MM" or "MM/DD HH:MM",
  // local time), shown before its text; none for live lines.
  std::array<char, 11> time{};
  std::uint8_t timeLength = 0;
  long long icon = 0;        // the sender's icon number
  std::string nick;          // as shown, escaped
  std::string text;          // Chat: the runs' bytes in order. Info: program markup, received parts escaped.
  std::vector<TextRun> runs;

  std::string_view Size() const { return {size.data(), sizeDigits}; }
  std::string_view TextColour() const { return {textColour.data(), textColour.size()}; }
  std::string_view BackColour() const { return {backColour.data(), backColour.size()}; }
  std::string_view Time() const { return {time.data(), timeLength}; }
  void SetTime(std::string_view shown);  // cut to the field's size
};

// One room's lines, oldest first.
class TranscriptLines {
 public:
  // A room that talks for days keeps its newest lines; the oldest go first,
  // and are counted so that the view and the saved file can say so.
  static constexpr std::size_t kMaxLines = 200000;

  explicit TranscriptLines(std::size_t maxLines = kMaxLines) : maxLines_(std::max<std::size_t>(maxLines, 1)) {}

  void Add(TranscriptLine line);
  // Older lines (oldest first) put above the oldest one kept, numbered below
  // it. Those beyond the bound are not kept, the oldest first, and count as
  // dropped. Returns how many were put.
  std::size_t AddInFront(std::vector<TranscriptLine> lines);
  // Clearing the screen: the lines are gone, by the user's choice, so none
  // count as dropped.
  void Clear() {
    first_ += lines_.size();
    lines_.clear();
    dropped_ = 0;
  }
  // How many of the oldest lines went to keep the bound since the screen was
  // last cleared.
  std::uint64_t Dropped() const { return dropped_; }
  // Every line has a number: those added at the end count up, those put in
  // front count down from kFirstNumber. The line at index i is number
  // FirstNumber() + i, so a view can tell lines apart as lines come and go.
  std::uint64_t FirstNumber() const { return first_; }
  static constexpr std::uint64_t kFirstNumber = std::uint64_t{1} << 40;

  std::size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  const TranscriptLine& operator[](std::size_t i) const { return lines_[i]; }
  auto begin() const { return lines_.begin(); }
  auto end() const { return lines_.end(); }

 private:
  std::size_t maxLines_;
  std::deque<TranscriptLine> lines_;
  std::uint64_t first_ = kFirstNumber;
  std::uint64_t dropped_ = 0;
};

// Fixed lines.
TranscriptLine BannerLine();
TranscriptLine ClearedNoticeLine();
TranscriptLine ClearedWarningLine();
// A centred line; `markup` is program markup with received parts escaped.
TranscriptLine InfoLine(std::string_view markup);
// The centred line that stands before the oldest line kept when `dropped`
// older ones went.
TranscriptLine DroppedNoticeLine(std::uint64_t dropped);
// The line below a room's history, above its live lines.
TranscriptLine HistoryDividerLine();
// The line before missed lines when `unavailable` of them (nullopt: some) are
// no longer kept by the server.
TranscriptLine UnavailableLinesLine(std::optional<std::uint64_t> unavailable);

}  // namespace orvinta::window
