#pragma once
// When a shown line or an invitation deserves a desktop notification, and
// what it says. Code page 949 bytes throughout; the desktop adapter converts.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "client/window/line_listener.h"
#include "client/window/reading_preferences.h"

namespace orvinta::window {

// The body's and the title's length in characters (a double-byte character counts one).
inline constexpr std::size_t kNoticeBodyChars = 80;
inline constexpr std::size_t kNoticeTitleChars = 60;

struct AttentionNotice {
  std::string room;   // the channel to bring forward on a click; empty: only the window
  std::string title;  // the room's title, or the 1:1 partner
  std::string body;   // the sender's nick and the first words
};

// A line notifies while the window is not active and notifications are on,
// when it names the user or comes from someone else in a 1:1 room; never the
// user's own lines or the program's.
std::optional<AttentionNotice> NoticeForLine(const ShownLine& line, bool windowActive,
                                             const ReadingPreferences& preferences);

// An invitation to a 1:1 room, under the same conditions of window and choice.
std::optional<AttentionNotice> NoticeForInvitation(std::string_view channel, std::string_view inviterNick,
                                                   bool windowActive, const ReadingPreferences& preferences);

// A mention the user has not seen yet: someone else's line naming him while
// the window is not active.
bool IsUnseenMention(const ShownLine& line, bool windowActive);

// At most maxChars characters of one line: control characters and runs of
// white space become one space, a cut ends on a character (at a space when
// one is near) and is marked with "…".
std::string FirstWords(std::string_view text, std::size_t maxChars);

}  // namespace orvinta::window
