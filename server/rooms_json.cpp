#include "server/rooms_json.h"

#include <cstdio>

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

std::string RoomsJson(const ServerView& view) {
  std::string out = "{\"rooms\":[";
  bool first = true;
  for (const RoomSummary& room : view.ListRooms()) {
    if (!first) out.push_back(',');
    first = false;
    out += "{\"key\":" + JsonString(room.key) + ",\"title\":" + JsonString(room.title) +
           ",\"members\":" + std::to_string(room.memberCount) + "}";
  }
  out += "]}";
  return out;
}

}  // namespace orvinta::server
