#include "client/shell/hand_over.h"

namespace orvinta::shell {

platform::CopyData MakeHandOver(const LaunchSettings& s) {
  platform::CopyData message;
  message.dwData = kHandOverId;
  message.bytes = s.UserId + "\n" + s.RoomKey + "\n" + s.RoomTitle + "\n" + s.PeerId + "\n" + s.PeerNick;
  message.bytes.push_back('\0');
  return message;
}

}  // namespace orvinta::shell
