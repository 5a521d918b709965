#pragma once
// The chat server's core: what each command does, with no I/O. The transport
// reports connections and decoded frames; the core answers through the Outbox.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "server/server_context.h"
#include "server/server_view.h"

namespace orvinta::server {

struct MemberSummary {
  std::string id;
  std::string nick;
  std::string icon;
  std::string status;
};

class ChatServer final : public ServerView, public ClusterInbox {
 public:
  ChatServer(const Clock& clock, Outbox& outbox, const ServerLimits& limits = {}, CoreServices services = {});

  // False (and the connection is refused and closed) when the server is full
  // or the address holds all the connections it may.
  bool OnConnected(ConnectionId connection, std::string address = "127.0.0.1");
  // body is the plain, already decoded body.
  void OnFrame(ConnectionId connection, std::string_view command, std::string_view body);
  // The transport lost the connection. Harmless for one the core closed itself.
  void OnDisconnected(ConnectionId connection);
  // Keep-alive, login and query timeouts, and vote deadlines; call often (a few times a second).
  void Tick();

  // From the other nodes of a cluster.
  void OnRoomEvent(const std::string& roomId, std::string_view command, std::string_view body,
                   Millis waited = 0) override;
  void OnUserEvent(const std::string& userId, std::string_view command, std::string_view body) override;
  void Reconcile() override;
  void OnProbe(const std::string& userId, std::function<void(bool live)> answer) override;
  void LoginTakenElsewhere(const std::string& userId) override;
  std::vector<std::string> LocalUsers() const override;
  std::vector<LocalSeat> LocalSeats() const override;

  std::vector<RoomSummary> ListRooms() const override;
  // A public room's members as this node seats them; empty for a room that
  // does not exist or is a 1:1 room.
  std::vector<MemberSummary> ListMembers(const std::string& roomKey) const;

  std::size_t ConnectionCount() const { return ctx_.sessions.Size(); }
  const ServerLimits& Limits() const { return ctx_.limits; }
  const ServerMetrics& Metrics() const { return ctx_.metrics; }
  MetricsGauges Gauges() const;
  // The transport's drops, for the log.
  void Log(LogLevel level, std::string_view line) { ctx_.Log(level, line); }

 private:
  // False when the frame is dropped (over the member's limit, or cut off).
  bool WithinRate(Session& session, std::string_view command);

  ServerContext ctx_;
};

}  // namespace orvinta::server
