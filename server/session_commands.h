#pragma once
// Login and keep-alive.
#include <functional>
#include <string>
#include <string_view>

#include "server/server_context.h"

namespace orvinta::server {

void HandleLogin(ServerContext& ctx, Session& session, std::string_view body);  // "USER"
void HandlePong(ServerContext& ctx, Session& session, std::string_view body);   // "PONG"

// Another node asks whether the member's session here still answers: it is
// pinged, and a silent one makes way (answer(false) once it is closed).
void AnswerProbe(ServerContext& ctx, const std::string& userId, std::function<void(bool live)> answer);
// The member's session here is the later of two logins the nodes granted
// while they could not see each other: it is told so ("SYST" 2) and closed.
void EndLaterLogin(ServerContext& ctx, const std::string& userId);

// Pings logged-in sessions when due and drops those that stopped answering,
// and connections that neither logged in nor asked about rooms in time.
void TickSessions(ServerContext& ctx);

}  // namespace orvinta::server
