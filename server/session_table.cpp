#include "server/session_table.h"

namespace orvinta::server {

Session& SessionTable::Add(ConnectionId connection, std::string address, Millis now) {
  Session& session = sessions_[connection];
  session = Session{};
  session.connection = connection;
  session.address = std::move(address);
  session.lastHeard = now;
  return session;
}

void SessionTable::Remove(ConnectionId connection) {
  const auto it = sessions_.find(connection);
  if (it == sessions_.end()) return;
  if (it->second.LoggedIn()) byUser_.erase(it->second.userId);
  sessions_.erase(it);
}

Session* SessionTable::Find(ConnectionId connection) {
  const auto it = sessions_.find(connection);
  return it == sessions_.end() ? nullptr : &it->second;
}

const Session* SessionTable::Find(ConnectionId connection) const {
  const auto it = sessions_.find(connection);
  return it == sessions_.end() ? nullptr : &it->second;
}

Session* SessionTable::FindUser(std::string_view userId) {
  const auto it = byUser_.find(std::string(userId));
  return it == byUser_.end() ? nullptr : Find(it->second);
}

bool SessionTable::BindUser(Session& session, std::string userId) {
  if (byUser_.contains(userId)) return false;
  byUser_.emplace(userId, session.connection);
  session.userId = std::move(userId);
  session.state = SessionState::kLoggedIn;
  return true;
}

}  // namespace orvinta::server
