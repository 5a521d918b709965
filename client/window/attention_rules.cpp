#include "client/window/attention_rules.h"

#include "client/window/channel.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "protocol/room_key.h"
#include "client/compose/chat_line.h"
#include "client/window/line_display.h"
#include "platform/cp949.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kEllipsis = "…";
constexpr std::string_view kNickSeparator = ": ";
constexpr std::string_view kInvitedBody = "%s님이 1:1 대화에 초대했습니다.";

// One character of display text: a wide character's mark, two bytes behind a
// lead byte, else one.
std::size_t CharLength(std::string_view s, std::size_t at) {
  if (const std::size_t mark = platform::WideMarkLength(s.substr(at))) return mark;
  return text::IsLeadByte(static_cast<unsigned char>(s[at])) && at + 1 < s.size() ? 2 : 1;
}

bool IsBlank(unsigned char c) { return c < 0x20 || c == ' ' || c == 0x7F; }

// The room's name as people know it: the channel without its leading "#".
std::string_view RoomName(std::string_view channel) {
  return !channel.empty() && channel.front() == '#' ? channel.substr(1) : channel;
}

// A chat line's text reaches the transcript with "<" and ">" spelled as
// entities by the sender; the notice shows what the transcript shows, with
// a line break as a space.
std::string AsShown(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    if (text::StartsWithIgnoreCase(text.substr(at), compose::kLineBreakTag)) {
      out += ' ';
      at += compose::kLineBreakTag.size();
      continue;
    }
    const std::size_t length = text::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
    out.append(text, at, length);
    at += length;
  }
  return DecodeEntities(out);
}

}  // namespace

std::string FirstWords(std::string_view text, std::size_t maxChars) {
  if (maxChars == 0) return {};
  std::string flat;
  std::vector<std::size_t> starts;  // where each character of flat begins
  for (std::size_t at = 0; at < text.size() && starts.size() <= maxChars;) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    const std::size_t length = CharLength(text, at);
    if (length == 1 && IsBlank(c)) {
      if (!flat.empty() && flat.back() != ' ') {
        starts.push_back(flat.size());
        flat += ' ';
      }
    } else if (length >= 2 || !text::IsLeadByte(c)) {  // a lead byte without its trail is dropped
      starts.push_back(flat.size());
      flat.append(text, at, length);
    }
    at += length;
  }
  if (starts.size() <= maxChars) return std::string(text::TrimRight(flat, " "));
  // maxChars - 1 characters and the mark; end on a word when one ends in the
  // second half. A space byte is never part of a double-byte character.
  std::size_t keep = starts[maxChars - 1];
  const std::size_t space = flat.rfind(' ', keep);
  if (space != std::string::npos && space * 2 >= keep) keep = space;
  flat.resize(keep);
  return std::string(text::TrimRight(flat, " ")) + std::string(kEllipsis);
}

bool IsUnseenMention(const ShownLine& line, bool windowActive) {
  return !windowActive && line.mention && !line.own && !line.system;
}

std::optional<AttentionNotice> NoticeForLine(const ShownLine& line, bool windowActive,
                                             const ReadingPreferences& preferences) {
  if (windowActive || !preferences.notifications || line.own || line.system) return std::nullopt;
  if (!line.mention && !line.oneToOne) return std::nullopt;
  std::string title(line.roomTitle);
  if (title.empty()) title = line.oneToOne ? DecodeEntities(line.senderNick) : std::string(RoomName(line.room));
  // Enough of the text for the first words, whatever blanks it holds.
  std::string body = DecodeEntities(text::LeftBytes(line.senderNick, kNoticeBodyChars * 2)) +
                     std::string(kNickSeparator) + AsShown(text::LeftBytes(line.text, kNoticeBodyChars * 8));
  return AttentionNotice{std::string(line.room), FirstWords(title, kNoticeTitleChars),
                         FirstWords(body, kNoticeBodyChars)};
}

std::optional<AttentionNotice> NoticeForInvitation(std::string_view channel, std::string_view inviterNick,
                                                   bool windowActive, const ReadingPreferences& preferences) {
  if (windowActive || !preferences.notifications || !protocol::IsPrivateRoom(channel)) {
    return std::nullopt;
  }
  const std::string nick = FirstWords(inviterNick, kNoticeTitleChars);
  // The room is not open yet: the click shows the window and its popup.
  return AttentionNotice{"", FirstWords(PrivateRoomTitle(nick), kNoticeTitleChars),
                         FirstWords(text::FormatText(kInvitedBody, {nick}), kNoticeBodyChars)};
}

}  // namespace orvinta::window
