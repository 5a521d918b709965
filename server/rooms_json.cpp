#include "server/rooms_json.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/cp949.h"

namespace orvinta::server {

std::string JsonString(std::string_view cp949) {
  const std::string utf8 = platform::Cp949ToUtf8Lossy(cp949);
  std::string out = "\"";
  for (char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      // Kept out so the text can never close a <script> element it is pasted into.
      case '<': out += "\\u003c"; break;
      case '>': out += "\\u003e"; break;
      case '&': out += "\\u0026"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
  return out;
}

std::string RoomsJson(const ServerView& view, std::size_t offset, std::size_t limit) {
  const std::vector<RoomSummary> rooms = view.ListRooms();
  const std::size_t begin = std::min(offset, rooms.size());
  const std::size_t end = begin + std::min({limit, kRoomsPageMax, rooms.size() - begin});
  std::string out = "{\"total\":" + std::to_string(rooms.size()) + ",\"offset\":" + std::to_string(begin) +
                    ",\"rooms\":[";
  for (std::size_t i = begin; i < end; ++i) {
    const RoomSummary& room = rooms[i];
    if (i != begin) out.push_back(',');
    out += "{\"key\":" + JsonString(room.key) + ",\"title\":" + JsonString(room.title) +
           ",\"members\":" + std::to_string(room.memberCount) + "}";
  }
  out += "]}";
  return out;
}

}  // namespace orvinta::server
