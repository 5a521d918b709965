#pragma once
// Invitations, ignoring, and expulsion votes.
#include <string>
#include <string_view>

#include "server/server_context.h"

namespace orvinta::server {

void HandleInvite(ServerContext& ctx, Session& session, std::string_view body);       // "INVT"
void HandleDenyInvite(ServerContext& ctx, Session& session, std::string_view body);   // "DNIV"
void HandleIgnore(ServerContext& ctx, Session& session, std::string_view body);       // "IGNR"
void HandleRequestBan(ServerContext& ctx, Session& session, std::string_view body);   // "RQBN"
void HandleVoteBan(ServerContext& ctx, Session& session, std::string_view body);      // "VTBN"

// Ends the room's vote when everyone has voted or its time is up: the result
// goes to every member and, when it carries, the target leaves the room.
void SettleVote(ServerContext& ctx, const std::string& roomId);
void TickVotes(ServerContext& ctx);

// From another node: a ballot for the vote this node holds ("VTBN"), and a
// member that another node's vote expelled, on whichever node it is.
void CountRemoteBallot(ServerContext& ctx, Room& room, std::string_view body);
void RemoteExpelled(ServerContext& ctx, Room& room, const std::string& member);
// A member of another node left the room: it no longer holds up a vote there.
void ForgetVoter(ServerContext& ctx, const std::string& roomId, const std::string& member);

}  // namespace orvinta::server
