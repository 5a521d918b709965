#include "client/shell/room_key_rule.h"

namespace orvinta::shell {

bool IsUsableRoomKey(std::string_view key) {
  if (key.empty() || key.size() > kMaxRoomKeyBytes) return false;
  for (char c : key) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || std::string_view("/|<>\"'").find(c) != std::string_view::npos) return false;
  }
  return true;
}

}  // namespace orvinta::shell
