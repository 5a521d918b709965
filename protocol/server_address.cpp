#include "protocol/server_address.h"

#include "text/text_util.h"

namespace orvinta::protocol {

ServerEndpoint ParseServerAddress(std::string_view address) {
  constexpr std::string_view kSecure = "tls://";
  const bool secure = text::StartsWithIgnoreCase(address, kSecure);
  if (secure) address.remove_prefix(kSecure.size());
  const auto colon = address.find(':');
  ServerEndpoint endpoint{std::string(address.substr(0, colon)), kDefaultPort, secure};
  if (colon != std::string_view::npos) {
    const long port = text::ParseLeadingInt(address.substr(colon + 1));
    if (port > 0 && port <= 65535) endpoint.port = static_cast<int>(port);
  }
  return endpoint;
}

}  // namespace orvinta::protocol
