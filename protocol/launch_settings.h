#pragma once
// The launch settings the application keeps for the whole run. The session
// and the main window read them and change a few (see COrvintaApp).
#include <string>

namespace orvinta {

struct LaunchSettings {
  bool AutoEnter = false;
  std::string ServerAddress;  // host:port
  std::string SessionKey;
  std::string UserId;
  std::string Nick;
  std::string IconNo;
  std::string RoomKey;
  std::string RoomTitle;
  bool DebugMonitor = false;
  std::string PeerId;
  std::string PeerNick;
  std::string PageToken;
  bool InvitePending = false;
};

}  // namespace orvinta
