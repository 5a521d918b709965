#pragma once
// The rooms that have members. A room exists while someone is in it.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/ban_vote.h"
#include "server/outbox.h"

namespace orvinta::server {

struct RoomMember {
  ConnectionId connection = 0;
  std::string status = "0";
};

struct Room {
  std::string key;
  std::vector<RoomMember> members;  // in order of entry
  std::optional<BanVote> vote;

  RoomMember* FindMember(ConnectionId connection);
  bool Has(ConnectionId connection) const;
};

enum class JoinResult { kJoined, kAlreadyIn, kRoomFull, kTooManyRooms };

class RoomDirectory {
 public:
  RoomDirectory(std::size_t maxRooms, std::size_t capacity) : maxRooms_(maxRooms), capacity_(capacity) {}

  JoinResult Join(std::string_view key, ConnectionId connection);
  // Removes the member; a room left empty disappears. False when not a member.
  bool Leave(std::string_view key, ConnectionId connection);

  Room* Find(std::string_view key);
  const Room* Find(std::string_view key) const;

  std::size_t Size() const { return rooms_.size(); }
  const std::map<std::string, Room, std::less<>>& All() const { return rooms_; }
  std::map<std::string, Room, std::less<>>& All() { return rooms_; }

 private:
  std::size_t maxRooms_;
  std::size_t capacity_;
  std::map<std::string, Room, std::less<>> rooms_;
};

}  // namespace orvinta::server
