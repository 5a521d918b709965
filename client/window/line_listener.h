#pragma once
// Those who hear of every line a room's transcript shows, after it is shown:
// the desktop notifications and the room log. They only read the line.
#include <cstdint>
#include <span>
#include <string_view>

namespace orvinta::window {

struct ShownLine {
  std::string_view room = {};       // the channel name: "#" + room key, or the waiting room's name
  std::string_view roomTitle = {};  // as the tab's title line shows it; may be empty
  bool oneToOne = false;       // a 1:1 room
  bool system = false;         // a line of the program's own (entries, departures, notices)
  std::string_view senderId = {};   // empty for system lines
  std::string_view senderNick = {}; // as shown ("%%" undone)
  // Chat lines: the text as shown ("%%" undone). System lines: their markup,
  // whose received parts are escaped already. Code page 949 bytes.
  std::string_view text = {};
  bool mention = false;  // someone else's line naming the user
  bool own = false;      // the user's own line
  // A line shown late (missed while the connection was down): when it was
  // said, in milliseconds since 1970 (UTC). 0: as it is shown.
  std::int64_t saidAtMs = 0;
};

class LineListener {
 public:
  virtual ~LineListener() = default;
  virtual void OnLineShown(const ShownLine& line) = 0;
  // Lines of one room shown together (those missed while the connection was
  // down): a listener that notifies may do so once for them all.
  virtual void OnLinesShown(std::span<const ShownLine> lines) {
    for (const ShownLine& line : lines) OnLineShown(line);
  }
};

}  // namespace orvinta::window
