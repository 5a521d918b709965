#include "client/window/connection_notices.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kAwayLine = "<BR><B>▷ [%s] 서버와 연결이 끊어져 다시 연결하는 중입니다… ◁</B><BR><BR>";
constexpr std::string_view kBackLine = "<BR><B>▷ [%s] 서버에 다시 연결되었습니다 (%s부터 끊어져 있었습니다) ◁</B><BR><BR>";

}  // namespace

std::string ConnectionNotices::TimeAgo(std::int64_t ms) {
  std::tm when = clock_.Now();
  if (ms > 0) {
    const std::time_t then = std::mktime(&when) - static_cast<std::time_t>((ms + 500) / 1000);
    localtime_r(&then, &when);
  }
  char text[16];
  if (std::strftime(text, sizeof text, "%H:%M:%S", &when) == 0) text[0] = '\0';
  return text;
}

void ConnectionNotices::OnAway(std::int64_t silentForMs) {
  awaySince_ = TimeAgo(silentForMs);
  for (const std::string& room : OpenRooms()) transcript_.AddInfoLine(room, kAwayLine, {awaySince_});
}

void ConnectionNotices::OnBack() {
  backAt_ = TimeAgo(0);
  for (const std::string& room : OpenRooms()) members_.DeleteAllNick(room);
}

void ConnectionNotices::OnBackIn(std::string_view room) {
  if (!channels_.FindByName(room)) return;
  transcript_.AddInfoLine(room, kBackLine, {backAt_, awaySince_});
}

std::vector<std::string> ConnectionNotices::OpenRooms() const {
  std::vector<std::string> rooms;
  for (const auto& channel : channels_.All()) {
    if (channel->kind == ChannelKind::Room) rooms.push_back(channel->name);
  }
  return rooms;
}

}  // namespace orvinta::window
