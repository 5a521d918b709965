#pragma once
// The live connections and the index of logged-in user ids.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "server/session.h"

namespace orvinta::server {

class SessionTable {
 public:
  Session& Add(ConnectionId connection, std::string address, Millis now);
  void Remove(ConnectionId connection);

  Session* Find(ConnectionId connection);
  const Session* Find(ConnectionId connection) const;
  Session* FindUser(std::string_view userId);

  // False when the id is already logged in on another connection.
  bool BindUser(Session& session, std::string userId);

  std::size_t Size() const { return sessions_.size(); }
  std::size_t LoggedInCount() const { return byUser_.size(); }

  template <typename Visit>
  void ForEach(Visit visit) {
    for (auto& [id, session] : sessions_) visit(session);
  }
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const auto& [id, session] : sessions_) visit(session);
  }

 private:
  // Hashed rather than ordered: a tree node would cost every connection more.
  std::unordered_map<ConnectionId, Session> sessions_;
  std::unordered_map<std::string, ConnectionId> byUser_;
};

}  // namespace orvinta::server
