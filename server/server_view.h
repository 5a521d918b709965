#pragma once
// A read-only picture of the live rooms, for pages that list them.
#include <cstddef>
#include <string>
#include <vector>

namespace orvinta::server {

struct RoomSummary {
  std::string key;
  std::string title;  // empty: rooms are known to the server by key only
  std::size_t memberCount = 0;
};

struct MemberSummary {
  std::string id;
  std::string nick;
  std::string icon;
  std::string status;
};

class ServerView {
 public:
  virtual ~ServerView() = default;
  virtual std::vector<RoomSummary> ListRooms() const = 0;
  // Empty for a room that does not exist.
  virtual std::vector<MemberSummary> ListMembers(const std::string& roomKey) const = 0;
};

}  // namespace orvinta::server
