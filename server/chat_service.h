#pragma once
// Moves bytes between the chat sockets and the ChatServer core: accepts
// connections, feeds decoded frames in, queues and flushes what the core
// sends, and closes what the core or the peer ends.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "server/chat_server.h"
#include "server/client_connection.h"
#include "server/connection_slots.h"
#include "server/event_loop.h"
#include "server/listener.h"
#include "server/tls_context.h"

namespace orvinta::server {

class ChatService final : public Outbox {
 public:
  ChatService(EventLoop& loop, Listener& listener, const Clock& clock, const ServerLimits& limits,
              CoreServices services = {});
  ~ChatService() override;

  // Connections accepted on this listener speak TLS (the constructor's
  // listener too, when it is named here). Call before Start.
  void ServeTls(Listener& listener, const TlsContext& tls);
  bool Start();  // registers the listeners
  // After each wake-up of the loop: timeouts, pending closes, flushing. The
  // milliseconds until output held back must go out, or -1.
  int AfterEvents();

  const ServerView& View() const { return core_; }
  ClusterInbox& Inbox() { return core_; }
  std::size_t ConnectionCount() const { return connections_.Size(); }
  std::string MetricsText() const;

  // Outbox: called from inside the core, so neither calls back into it.
  void Send(ConnectionId connection, std::string_view frame) override;
  void SendWaited(ConnectionId connection, std::string_view frame, Millis waited) override;
  void Close(ConnectionId connection) override;

 private:
  void OnAcceptable(Listener& listener, const TlsContext* tls);
  void OnEvents(ConnectionId id, std::uint32_t events);
  void ReadFrom(ConnectionId id);
  ClientConnection* Find(ConnectionId id) { return connections_.Find(id); }
  void MarkDirty(ConnectionId id, ClientConnection& c);
  void Enqueue(ConnectionId id, std::string_view frame, Millis waited);
  // The peer is gone or misbehaved: forget the socket now, tell the core later.
  void Lose(ConnectionId id);
  void Destroy(ConnectionId id);
  void ReportLost();
  // Flushes the dirty connections; under load, small fresh queues are held
  // back for a moment so that several lines share one send().
  void FlushDirty(Millis now);
  bool HoldBack(const ClientConnection& c, Millis now) const;
  void UpdateInterest(ClientConnection& c);
  // Past the global output budget, drops the largest queues first.
  void KeepWithinBudget();
  void Dropped(ConnectionId id, std::string_view why);

  struct Port {
    Listener* listener;
    const TlsContext* tls;  // null: clear text
  };

  EventLoop& loop_;
  std::vector<Port> ports_;
  const Clock& clock_;
  ChatServer core_;
  IntakeLimits intakeLimits_;
  std::size_t maxOutput_;
  std::size_t outputBudget_;
  Millis flushDelay_;
  std::size_t queuedTotal_ = 0;
  std::uint64_t droppedSlow_ = 0;
  std::uint64_t droppedBudget_ = 0;

  ConnectionSlots connections_;
  std::uint64_t sendCalls_ = 0;
  std::vector<ConnectionId> dirty_;
  std::vector<ConnectionId> held_;
  // Frames queued per window of time, to tell load from a quiet room.
  Millis window_ = 0;
  std::uint64_t framesThisWindow_ = 0;
  std::uint64_t framesLastWindow_ = 0;
  bool busy_ = false;
  std::vector<ConnectionId> lost_;
  Millis lastTick_ = 0;
  Millis nextTrim_ = 0;
};

}  // namespace orvinta::server
