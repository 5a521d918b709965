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

class ServerView {
 public:
  virtual ~ServerView() = default;
  virtual std::vector<RoomSummary> ListRooms() const = 0;
};

}  // namespace orvinta::server
