#pragma once
// The members of other nodes as this node's members know them. Each room here
// keeps who its members were told of; events from other nodes change it (a
// repeat is told to nobody), and after a gap the shared state is read again
// and the members are told the difference.
#include <string>
#include <string_view>
#include <vector>

#include "server/server_context.h"

namespace orvinta::server {

// "CHIN" from another node: false when the members here need not hear it
// (a repeat, or one of this node's own).
bool RemoteEntered(ServerContext& ctx, Room& room, std::string_view body);
// "CHOT" from another node: false when the members here need not hear it. A
// member of this node is never taken out by what another node says of it.
bool RemoteLeft(ServerContext& ctx, Room& room, const std::string& userId);
// "IFAL" from another node.
void RemoteStatus(ServerContext& ctx, Room& room, const std::string& userId, std::string_view status);
// The members a seat's answer named: those new to the room's list are told to
// everyone here but the newcomer.
void MergeRoster(ServerContext& ctx, Room& room, const std::vector<ClusterMember>& others, ConnectionId newcomer);
// Reads every room's members on the other nodes again and tells the members
// here who came and went.
void ReconcileRooms(ServerContext& ctx);

}  // namespace orvinta::server
