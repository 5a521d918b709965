#include "client/window/icon_url.h"

#include <string_view>

namespace orvinta::window {
namespace {

std::string Folder(long long part) { return part == 0 ? std::string("100/") : std::to_string(part) + "/"; }

}  // namespace

std::string IconUrl(const PortalConfig& portal, long long n, bool small) {
  if (n > 999) {
    return portal.avatarBase + Folder(n % 100) + Folder((n % 10000) / 100) + (small ? "s_" : "") +
           std::to_string(n) + ".gif";
  }
  const char* size = small ? "empty13_" : "empty19_";
  const char* variant = n % 2 != 0 ? "a" : "b";
  return portal.imageBase + "img/emot/emo/" + size + variant + ".gif";
}

long long ParseIconNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return 0;
  long long n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace orvinta::window
