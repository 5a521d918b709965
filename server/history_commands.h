#pragma once
// Chat lines kept in the room's history, and the history's frames: a member
// asks for them once ("HIST"), then gets its rooms' lines stamped with id and
// time and may ask for earlier lines ("HREQ").
#include <string_view>

#include "server/server_context.h"

namespace orvinta::server {

// A chat line (the "TALL" body as relayed) for the room: kept, then sent to
// its members here, "HTAL" to those who asked for history and "TALL" to the
// others. A line said here (sender given) goes to the other nodes too, and its
// sender learns the line's id; one from another node waited that long there.
void RelayLine(ServerContext& ctx, const Room& room, std::string_view body, const Session* sender,
               Millis waited = 0);

void HandleHistoryHello(ServerContext& ctx, Session& session, std::string_view body);    // "HIST"
void HandleHistoryRequest(ServerContext& ctx, Session& session, std::string_view body);  // "HREQ"

}  // namespace orvinta::server
