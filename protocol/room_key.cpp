#include "protocol/room_key.h"

namespace orvinta::protocol {

std::string PrivateRoomKey(std::string_view a, std::string_view b) {
  // std::string_view compares as unsigned bytes, like the peers do.
  const bool aFirst = a.compare(b) < 0;
  std::string key = "Pchat";
  key.append(aFirst ? a : b).append("^").append(aFirst ? b : a);
  return key;
}

std::string ChannelName(std::string_view roomKey) { return "#" + std::string(roomKey); }

std::string PrivateChannelName(std::string_view a, std::string_view b) { return ChannelName(PrivateRoomKey(a, b)); }

bool IsPrivateRoom(std::string_view room) { return StripChannelMark(room).starts_with("Pchat"); }

std::string_view StripChannelMark(std::string_view room) {
  if (!room.empty() && room.front() == '#') room.remove_prefix(1);
  return room;
}

}  // namespace orvinta::protocol
