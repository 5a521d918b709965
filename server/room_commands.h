#pragma once
// Entering and leaving rooms, chat lines, status and member queries.
#include <string_view>

#include "server/server_context.h"

namespace orvinta::server {

void HandleChatIn(ServerContext& ctx, Session& session, std::string_view body);          // "CHIN"
void HandleChatOut(ServerContext& ctx, Session& session, std::string_view body);         // "CHOT"
void HandleToAll(ServerContext& ctx, Session& session, std::string_view body);           // "TALL"
void HandleUserInfoToAll(ServerContext& ctx, Session& session, std::string_view body);   // "IFAL"
void HandleAskUserInfo(ServerContext& ctx, Session& session, std::string_view body);     // "ASIF"

}  // namespace orvinta::server
