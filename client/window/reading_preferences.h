#pragma once
// The user's choices for what the client adds to reading: kept in orvinta.conf
// beside Orvinta.cfg, never inside it. The window reads them as lines arrive,
// so a change in the settings dialog holds from the next line on.
namespace orvinta::window {

inline constexpr int kMaxEntryHistoryLines = 200;

struct ReadingPreferences {
  bool highlightMentions = true;  // tint a line naming the user and give its tab the mention look
  bool notifications = true;      // desktop notifications while the window is not active
  bool trayIcon = true;           // an icon in the desktop's tray, where there is one
  bool roomLog = false;           // every room's lines appended to a UTF-8 log file
  int entryHistoryLines = 50;     // a room's earlier lines shown on entry, 0 to kMaxEntryHistoryLines
};

}  // namespace orvinta::window
