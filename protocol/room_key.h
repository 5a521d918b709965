#pragma once
// Room and channel naming shared by the client and the control.
#include <string>
#include <string_view>

namespace orvinta::protocol {

// "Pchat" + the smaller + "^" + the larger of two ids, compared byte-wise.
std::string PrivateRoomKey(std::string_view a, std::string_view b);

// "#" + room key.
std::string ChannelName(std::string_view roomKey);

// The 1:1 channel of two members: "#" + their private room key.
std::string PrivateChannelName(std::string_view a, std::string_view b);

// True for a 1:1 room's key or channel name (with or without its "#").
bool IsPrivateRoom(std::string_view room);

// Room keys travel without their channel mark: one leading "#" is removed.
std::string_view StripChannelMark(std::string_view room);

}  // namespace orvinta::protocol
