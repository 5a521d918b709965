#pragma once
// Login and keep-alive.
#include <string_view>

#include "server/server_context.h"

namespace orvinta::server {

void HandleLogin(ServerContext& ctx, Session& session, std::string_view body);  // "USER"
void HandlePong(ServerContext& ctx, Session& session, std::string_view body);   // "PONG"

// Pings logged-in sessions when due and drops those that stopped answering,
// and connections that neither logged in nor asked about rooms in time.
void TickSessions(ServerContext& ctx);

}  // namespace orvinta::server
