#include "server/room_directory.h"

#include <algorithm>

#include "server/wire_fields.h"

namespace orvinta::server {

RoomMember* Room::FindMember(ConnectionId connection) {
  const auto it = std::find_if(members.begin(), members.end(),
                               [connection](const RoomMember& m) { return m.connection == connection; });
  return it == members.end() ? nullptr : &*it;
}

bool Room::Has(ConnectionId connection) const {
  return std::any_of(members.begin(), members.end(),
                     [connection](const RoomMember& m) { return m.connection == connection; });
}

JoinResult RoomDirectory::CanJoin(std::string_view key, ConnectionId connection) const {
  const Room* room = Find(key);
  if (room == nullptr) {
    if (rooms_.size() >= limits_.maxRooms) return JoinResult::kTooManyRooms;
    if (limits_.capacity == 0) return JoinResult::kRoomFull;
    if (CreatedBy(connection) >= limits_.maxCreatedPerMember) return JoinResult::kTooManyCreated;
    return JoinResult::kJoined;
  }
  if (room->Has(connection)) return JoinResult::kAlreadyIn;
  if (room->members.size() >= limits_.capacity) return JoinResult::kRoomFull;
  return JoinResult::kJoined;
}

JoinResult RoomDirectory::Join(std::string_view key, ConnectionId connection) {
  const std::string id = RoomIdOf(key);
  auto it = rooms_.find(id);
  if (it == rooms_.end()) {
    if (const JoinResult verdict = CanJoin(key, connection); verdict != JoinResult::kJoined) return verdict;
    Room room{std::string(key), {}, std::nullopt, connection, IsPrivateRoomKey(key), {}, {}};
    it = rooms_.emplace(id, std::move(room)).first;
    ++created_[connection];
  }
  Room& room = it->second;
  if (room.Has(connection)) return JoinResult::kAlreadyIn;
  if (room.members.size() >= limits_.capacity) return JoinResult::kRoomFull;
  room.members.push_back(RoomMember{connection, "0"});
  return JoinResult::kJoined;
}

bool RoomDirectory::Leave(const std::string& roomId, ConnectionId connection) {
  const auto it = rooms_.find(roomId);
  if (it == rooms_.end()) return false;
  Room& room = it->second;
  const auto before = room.members.size();
  std::erase_if(room.members, [connection](const RoomMember& m) { return m.connection == connection; });
  if (room.members.size() == before) return false;
  if (room.members.empty()) {
    const auto created = created_.find(room.creator);
    if (created != created_.end() && --created->second == 0) created_.erase(created);
    rooms_.erase(it);
  }
  return true;
}

Room* RoomDirectory::Find(std::string_view key) {
  const auto it = rooms_.find(RoomIdOf(key));
  return it == rooms_.end() ? nullptr : &it->second;
}

const Room* RoomDirectory::Find(std::string_view key) const {
  const auto it = rooms_.find(RoomIdOf(key));
  return it == rooms_.end() ? nullptr : &it->second;
}

std::size_t RoomDirectory::CreatedBy(ConnectionId connection) const {
  const auto it = created_.find(connection);
  return it == created_.end() ? 0 : it->second;
}

}  // namespace orvinta::server
