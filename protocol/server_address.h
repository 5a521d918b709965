#pragma once
// A chat server's address as launch texts and pages write it: "host:port",
// or "tls://host:port" for a connection over TLS.
#include <string>
#include <string_view>

namespace orvinta::protocol {

inline constexpr int kDefaultPort = 11900;

// The text before the first ":" and the number after it; no ":", or a port
// that is 0 or out of range, gives port 11900.
struct ServerEndpoint {
  std::string host;
  int port = kDefaultPort;
  bool secure = false;
};
ServerEndpoint ParseServerAddress(std::string_view address);

}  // namespace orvinta::protocol
