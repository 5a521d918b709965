#include "client/window/resource_address.h"

#include "text/text_util.h"

namespace orvinta::window {

std::string ResourceAddress(const PortalConfig& portal, int page) { return portal.resourceBase + std::to_string(page); }

std::string PercentEncode(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : value) {
    const auto b = static_cast<unsigned char>(c);
    const bool plain = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '-' ||
                       b == '.' || b == '_' || b == '~';
    if (plain) {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 0x0F]);
    }
  }
  return out;
}

std::string LauncherAddress(const PortalConfig& portal, std::string_view userId, std::string_view sessionKey) {
  return ResourceAddress(portal, kLauncherPage) + "?uid=" + PercentEncode(text::TrimLeft(userId, "_")) +
         "&rkey=" + PercentEncode(sessionKey) + "&target=" + PercentEncode(portal.roomListPage);
}

}  // namespace orvinta::window
