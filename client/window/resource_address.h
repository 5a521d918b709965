#pragma once
// Addresses of the program's own pages.
#include <string>
#include <string_view>

#include "client/window/portal_config.h"

namespace orvinta::window {

inline constexpr int kLauncherPage = 229;

// base + number.
std::string ResourceAddress(const PortalConfig& portal, int page);

// The waiting room's launcher: page 229 with the user id (leading "_" removed)
// as "uid", the session key as "rkey" and the room-list page as "target".
std::string LauncherAddress(const PortalConfig& portal, std::string_view userId, std::string_view sessionKey);

// Query values percent-encoded byte by byte; letters, digits and "-._~" stay.
std::string PercentEncode(std::string_view value);

}  // namespace orvinta::window
