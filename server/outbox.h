#pragma once
// What the core asks of the transport: deliver a frame to a connection, and
// close a connection once what was sent to it has gone out. The frame is only
// borrowed for the call: a room's frame is made once and queued to each member.
#include <cstdint>
#include <string_view>

#include "server/clock.h"

namespace orvinta::server {

using ConnectionId = std::uint64_t;

class Outbox {
 public:
  virtual ~Outbox() = default;
  virtual void Send(ConnectionId connection, std::string_view frame) = 0;
  // As Send, for a frame that already waited this long on the node it came
  // from: it is held back that much less here, to share a send().
  virtual void SendWaited(ConnectionId connection, std::string_view frame, Millis) { Send(connection, frame); }
  virtual void Close(ConnectionId connection) = 0;
};

}  // namespace orvinta::server
