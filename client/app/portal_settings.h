#pragma once
// Where the portal's pages and pictures are. The development defaults point at
// the development server's web side; ORVINTA_PORTAL (for example
// "http://127.0.0.1:11901/") moves every address to another base.
#include "client/window/portal_config.h"

namespace orvinta::app {

window::PortalConfig PortalFromEnvironment();

}  // namespace orvinta::app
