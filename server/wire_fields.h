#pragma once
// Checks and clean-up of the fields of client bodies. Whatever a client puts in
// a field may be relayed to every other client, so it is bounded here.
#include <optional>
#include <string>
#include <string_view>

#include "server/server_limits.h"

namespace orvinta::server {

// A user id: 1 to maxIdBytes bytes, no space or control bytes, no "^" (the
// separator of private room keys).
bool IsValidUserId(std::string_view id, const ServerLimits& limits);

// A room key: one leading "#" is dropped; 1 to maxRoomKeyBytes bytes, no
// control bytes, no white space at either end. nullopt when it does not qualify.
std::optional<std::string> CleanRoomKey(std::string_view field, const ServerLimits& limits);

// What identifies a room: its key with ASCII letters folded to lower case, byte
// by byte, the same rule by which the client matches a room to its tab. Keys
// that differ only in case name one room.
std::string RoomIdOf(std::string_view key);

// A nickname with control bytes removed, cut to maxNickBytes (never inside a
// double-byte character); the fallback when nothing is left.
std::string CleanNick(std::string_view nick, std::string_view fallback, const ServerLimits& limits);

// A decimal number of 1 to maxNumberDigits digits, as sent; nullopt otherwise.
std::optional<std::string> CleanNumber(std::string_view field, const ServerLimits& limits);

// A private (1:1) room key: "Pchat" + a + "^" + b, the prefix in any case.
bool IsPrivateRoomKey(std::string_view roomKey);
// For a private room key: whether the id is a or b (in any case). Any other
// key is open to everyone.
bool MayEnterRoom(std::string_view roomKey, std::string_view userId);

}  // namespace orvinta::server
