#include "server/room_directory.h"

#include <algorithm>

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

JoinResult RoomDirectory::Join(std::string_view key, ConnectionId connection) {
  auto it = rooms_.find(key);
  if (it == rooms_.end()) {
    if (rooms_.size() >= maxRooms_) return JoinResult::kTooManyRooms;
    if (capacity_ == 0) return JoinResult::kRoomFull;
    it = rooms_.emplace(std::string(key), Room{std::string(key), {}, std::nullopt}).first;
  }
  Room& room = it->second;
  if (room.Has(connection)) return JoinResult::kAlreadyIn;
  if (room.members.size() >= capacity_) return JoinResult::kRoomFull;
  room.members.push_back(RoomMember{connection, "0"});
  return JoinResult::kJoined;
}

bool RoomDirectory::Leave(std::string_view key, ConnectionId connection) {
  const auto it = rooms_.find(key);
  if (it == rooms_.end()) return false;
  Room& room = it->second;
  const auto before = room.members.size();
  std::erase_if(room.members, [connection](const RoomMember& m) { return m.connection == connection; });
  if (room.members.size() == before) return false;
  if (room.vote) room.vote->Forget(connection);
  if (room.members.empty()) rooms_.erase(it);
  return true;
}

Room* RoomDirectory::Find(std::string_view key) {
  const auto it = rooms_.find(key);
  return it == rooms_.end() ? nullptr : &it->second;
}

const Room* RoomDirectory::Find(std::string_view key) const {
  const auto it = rooms_.find(key);
  return it == rooms_.end() ? nullptr : &it->second;
}

}  // namespace orvinta::server
