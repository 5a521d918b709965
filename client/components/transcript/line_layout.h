#pragma once
// One transcript line laid out at a view's width, as the room's page drew it:
// a chat line's icon, nick band and text columns, a centred line, the welcome
// banner. Only lines on screen are laid out; a small cache keeps the latest.
#include <QColor>
#include <QPointF>
#include <QString>
#include <QTextLayout>
#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

#include "client/window/portal_config.h"
#include "client/window/transcript_lines.h"

namespace orvinta::components::transcript {

inline constexpr int kLineMargin = 3;  // above each line, and below the last
inline constexpr int kTextLeft = 158;  // 35 icon + 5 band + 95 nick + 18 arrow + 5 gap
inline constexpr QChar kLineSeparator(0x2028);
inline constexpr QChar kEmoticonChar(0x3000);  // stands in for a picture, widened to it

struct LinkRange {
  int start = 0, length = 0;
  QString address;
};

struct LaidLine {
  window::LineKind kind = window::LineKind::Info;
  bool mention = false;
  int height = 0;       // the table's height, without the margin above it
  QTextLayout text;     // its text is the line's display text, character for character
  QPointF textAt;       // where `text` is drawn, from the table's top left
  QColor colour;        // the text's own colour
  // Chat lines: the sender's column.
  QString nick;         // elided to its column
  QColor back;
  bool dark = false;
  int iconSlot = -1;
  std::vector<std::pair<int, int>> emoticons;  // (position in the text, picture slot)
  std::vector<LinkRange> links;
};

// Lays a line out `width` pixels wide.
std::unique_ptr<LaidLine> LayOut(const window::TranscriptLine& line, const window::PortalConfig& portal, int width);

// Draws a laid-out line whose table starts at `top`; `selections` are drawn over the text.
void Draw(QPainter& painter, const LaidLine& line, int top, int width,
          const QList<QTextLayout::FormatRange>& selections);

// The text position under `point` (relative to the table's top left); -1 when
// the point is left of the text (the nick's columns).
int PositionAt(const LaidLine& line, QPointF point);
// The link under `point`, or nullptr.
const LinkRange* LinkAt(const LaidLine& line, QPointF point);

// The latest laid-out lines by line number, at one width.
class LayoutCache {
 public:
  static constexpr std::size_t kCapacity = 384;  // a few screens of lines

  LayoutCache(const window::TranscriptLines& lines, window::PortalConfig portal)
      : lines_(lines), portal_(std::move(portal)) {}
  // The laid-out line at `index` of the lines.
  const LaidLine& At(std::size_t index);
  void SetWidth(int width);
  void Clear();
  std::size_t size() const { return map_.size(); }

 private:
  struct Entry {
    std::unique_ptr<LaidLine> line;
    std::list<std::uint64_t>::iterator age;
  };
  const window::TranscriptLines& lines_;
  window::PortalConfig portal_;
  int width_ = 0;
  std::unordered_map<std::uint64_t, Entry> map_;
  std::list<std::uint64_t> ages_;  // most recently used first
};

// The display text of a line as the view lays it out (see kEmoticonChar).
QString LayoutText(const window::TranscriptLine& line);
// A byte offset in the line's display text as a position in LayoutText.
int LayoutPosition(const window::TranscriptLine& line, std::size_t byteOffset);

}  // namespace orvinta::components::transcript
