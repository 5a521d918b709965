#include "client/shell/hand_over.h"

namespace orvinta::shell {

platform::CopyData MakeHandOver(const LaunchSettings& s) {
  platform::CopyData message;
  message.dwData = kHandOverId;
  message.bytes = s.UserId + "\n" + s.RoomKey + "\n" + s.RoomTitle + "\n" + s.PeerId + "\n" + s.PeerNick;
  message.bytes.push_back('\0');
  return message;
}

std::string HandOverEndpoint(std::string_view userId) {
  // Hex keeps any id's bytes a safe, distinct file name (21 bytes give 42 digits).
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string name(kHandOverEndpointPrefix);
  for (char c : userId) {
    const auto byte = static_cast<unsigned char>(c);
    name.push_back(kDigits[byte >> 4]);
    name.push_back(kDigits[byte & 0x0F]);
  }
  return name;
}

}  // namespace orvinta::shell
