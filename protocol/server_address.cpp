#include "protocol/server_address.h"

#include "text/text_util.h"

namespace orvinta::protocol {

ServerEndpoint ParseServerAddress(std::string_view address) {
  const auto colon = address.find(':');
  ServerEndpoint endpoint{std::string(address.substr(0, colon)), kDefaultPort};
  if (colon != std::string_view::npos) {
    const long port = text::ParseLeadingInt(address.substr(colon + 1));
    if (port > 0 && port <= 65535) endpoint.port = static_cast<int>(port);
  }
  return endpoint;
}

}  // namespace orvinta::protocol
