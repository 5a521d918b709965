#pragma once
// Addresses of member icons: avatars above 999, otherwise a default picture.
#include <string>

#include "client/window/portal_config.h"

namespace orvinta::window {

std::string IconUrl(const PortalConfig& portal, long long n, bool small);

// An icon number as received: only digits (at most nine) count; anything else is 0.
long long ParseIconNumber(std::string_view text);

}  // namespace orvinta::window
