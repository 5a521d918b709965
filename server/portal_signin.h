#pragma once
// The development portal's sign-in: "/signin?user=ID&next=/page" sets the
// session cookie the web page control reads (and hands to the client it
// starts) and sends the browser on. It answers loopback peers only: anyone who
// can reach it can be anyone, so it is for development machines. The control
// page it leads to is also kept on the chat server's TLS port.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "server/http_request.h"
#include "server/session_key.h"

namespace orvinta::server {

inline constexpr std::string_view kSessionCookie = "blvsession_eid";

struct SignIn {
  int status = 0;        // 303 when signed in, else the error status
  std::string userId;    // code page 949, as the client will send it
  std::string location;  // where the browser goes next
  std::string cookie;    // the Set-Cookie value
};

// keys null: development mode, the cookie holds a key any login accepts.
// With a chat TLS port the control page it opens connects with TLS, to the
// host the browser named.
SignIn PortalSignIn(const HttpRequest& request, std::string_view peer, const SessionKeys* keys,
                    std::int64_t lifetimeSeconds = SessionKeys::kDefaultLifetime, std::uint16_t chatTlsPort = 0);

// With a chat TLS port, the control page asked for without a "tls://" server
// is sent on to itself with server=tls://HOST:PORT first in its query (HOST as
// the browser named the portal): its connect, and the client it starts, then
// never use clear text. nullopt: answer the request as it is.
std::optional<std::string> TlsControlPageLocation(const HttpRequest& request, std::uint16_t chatTlsPort);

// A user id as the client sends it: lower case, "_" before a leading digit.
std::string ClientUserId(std::string_view id);

}  // namespace orvinta::server
