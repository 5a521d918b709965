#include "webcontrol/avatar_url.h"

#include <cstdlib>

#ifndef QUENDEL_AVATAR_BASE
#define QUENDEL_AVATAR_BASE "http://127.0.0.1:11901/avatar/"
#endif
#ifndef QUENDEL_GROUP_IMAGE_HOST
#define QUENDEL_GROUP_IMAGE_HOST "http://127.0.0.1:11901/"
#endif

namespace orvinta::quendel {
namespace {

// The development server's web side, which $ORVINTA_PORTAL may move.
constexpr std::string_view kDevelopmentBase = "http://127.0.0.1:11901/";

// A directory level: the number, or 100 in place of 0.
std::string Level(long value) { return std::to_string(value == 0 ? 100 : value) + "/"; }

// Only a plain web address is taken: it ends up in the page's picture addresses.
bool IsPlainWebAddress(std::string_view address) {
  const bool web = address.starts_with("http://") || address.starts_with("https://");
  return web && address.size() < 512 && address.find_first_of(" \t\r\n\"'<>\\`") == std::string_view::npos;
}

void Rebase(std::string& address, const std::string& base) {
  if (address.starts_with(kDevelopmentBase)) address = base + address.substr(kDevelopmentBase.size());
}

PortalImages MakePortalImages() {
  PortalImages images{QUENDEL_AVATAR_BASE, QUENDEL_GROUP_IMAGE_HOST};
  const char* portal = std::getenv("ORVINTA_PORTAL");
  if (portal && IsPlainWebAddress(portal)) {
    std::string base(portal);
    if (base.back() != '/') base.push_back('/');
    Rebase(images.avatarBase, base);
    Rebase(images.groupImageHost, base);
  }
  return images;
}

}  // namespace

const PortalImages& ConfiguredPortalImages() {
  static const PortalImages images = MakePortalImages();
  return images;
}

std::string IconUrl(long n, IconSize size, const PortalImages& images) {
  const bool small = size == IconSize::Small;
  if (n >= 1000) {
    return images.avatarBase + Level(n % 100) + Level((n % 10000) / 100) + (small ? "s_" : "") + std::to_string(n) +
           ".gif";
  }
  const bool even = n % 2 == 0;
  const char* file = small ? (even ? "empty13_b.gif" : "empty13_a.gif") : (even ? "empty19_b.gif" : "empty19_a.gif");
  return images.groupImageHost + "img/emot/emo/" + file;
}

}  // namespace orvinta::quendel
