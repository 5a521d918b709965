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
// With the cluster's store the line is handed to it instead, and comes back.
void RelayLine(ServerContext& ctx, const Room& room, std::string_view body, const Session* sender,
               Millis waited = 0);
// A chat line the cluster brought, kept in its store already (id 0: kept
// nowhere), as it reaches every node, the sender's included: the sender, when
// a member here, does not get it again but learns its id.
void RelayClusterLine(ServerContext& ctx, const Room& room, std::string_view body, std::uint64_t id, Millis time,
                      Millis waited);

void HandleHistoryHello(ServerContext& ctx, Session& session, std::string_view body);    // "HIST"
void HandleHistoryRequest(ServerContext& ctx, Session& session, std::string_view body);  // "HREQ"

}  // namespace orvinta::server
