#pragma once
// What the user's own settings ask of every connection, whichever address the
// launch text or the page names: an address that arrived through a clear-text
// page may have lost its "tls://" on the way, so it cannot decide alone.
#include <optional>
#include <string>

#include "protocol/server_address.h"

namespace orvinta::protocol {

// DNS allows no longer name. A longer one is refused, never cut: the
// certificate is checked against the name as written.
inline constexpr std::size_t kMaxHostNameBytes = 253;

struct ConnectPolicy {
  bool requireTls = false;  // a clear-text address is refused, never tried
  // A private authority that was named but could not be read or holds no
  // certificate (code page 949); nothing is connected while it is set.
  std::string unusableAuthorityFile;
};

// The box text that says why `endpoint` is not tried; nullopt when it may be.
std::optional<std::string> RefusalOf(const ServerEndpoint& endpoint, const ConnectPolicy& policy);

}  // namespace orvinta::protocol
