#pragma once
// The rooms that have members. A room exists while someone is in it. Rooms are
// found by their id (RoomIdOf the key) and keep the key they were opened with.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "server/ban_vote.h"
#include "server/cluster_port.h"
#include "server/outbox.h"

namespace orvinta::server {

struct RoomMember {
  ConnectionId connection = 0;
  std::string status = "0";
  bool history = false;  // the member's session asked for stamped lines
};

struct Room {
  std::string key;
  std::vector<RoomMember> members;  // in order of entry
  std::optional<BanVote> vote;
  ConnectionId creator = 0;
  bool isPrivate = false;
  // The members on other nodes, as the members here were told of them, and
  // when an event last spoke of an id (a roster read asked before that is older).
  std::map<std::string, ClusterMember> remote;
  std::map<std::string, Millis> touched;

  RoomMember* FindMember(ConnectionId connection);
  bool Has(ConnectionId connection) const;
};

enum class JoinResult { kJoined, kAlreadyIn, kRoomFull, kTooManyRooms, kTooManyCreated };

struct RoomLimits {
  std::size_t maxRooms = 0;
  std::size_t capacity = 0;
  std::size_t maxCreatedPerMember = 0;  // rooms one connection opened that still exist
};

class RoomDirectory {
 public:
  explicit RoomDirectory(RoomLimits limits) : limits_(limits) {}

  JoinResult Join(std::string_view key, ConnectionId connection);
  // What Join would answer now, changing nothing.
  JoinResult CanJoin(std::string_view key, ConnectionId connection) const;
  // Removes the member; a room left empty disappears. False when not a member.
  bool Leave(const std::string& roomId, ConnectionId connection);

  Room* Find(std::string_view key);  // by key or id: both fold the same
  const Room* Find(std::string_view key) const;

  std::size_t Size() const { return rooms_.size(); }
  std::size_t CreatedBy(ConnectionId connection) const;
  const std::map<std::string, Room, std::less<>>& All() const { return rooms_; }

 private:
  RoomLimits limits_;
  std::map<std::string, Room, std::less<>> rooms_;  // by room id
  std::unordered_map<ConnectionId, std::size_t> created_;
};

}  // namespace orvinta::server
