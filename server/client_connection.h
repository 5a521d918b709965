#pragma once
// The bytes of one chat connection: a bounded input side that yields decoded
// frames and a bounded output buffer. It knows nothing of what frames mean.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "server/clock.h"
#include "server/event_loop.h"
#include "server/frame_intake.h"
#include "server/tls_stream.h"
#include "server/unique_fd.h"

namespace orvinta::server {

enum class IoStatus { kOpen, kClosed };

class ClientConnection {
 public:
  ClientConnection(UniqueFd fd, IntakeLimits intake) : fd_(std::move(fd)), intake_(intake) {}
  // The same over TLS: tls reads and writes the socket.
  ClientConnection(UniqueFd fd, IntakeLimits intake, std::unique_ptr<TlsStream> tls)
      : fd_(std::move(fd)), intake_(intake), tls_(std::move(tls)) {}

  int Fd() const { return fd_.Get(); }
  EventLoop::Token token = 0;

  // One read into the intake. kClosed on end of stream or error.
  // wouldBlock is set when nothing more is waiting.
  IoStatus ReadOnce(bool& wouldBlock);
  FrameIntake& Intake() { return intake_; }

  // False when the frame would pass the output bound: the peer is not reading.
  bool Queue(std::string_view frame, std::size_t maxOutput);
  // Writes what the socket takes, counting the send() calls. kClosed on error.
  IoStatus Flush(std::uint64_t& sendCalls);
  bool HasOutput() const { return sent_ < output_.size(); }
  std::size_t QueuedBytes() const { return output_.size() - sent_; }
  bool Secure() const { return tls_ != nullptr; }
  // A connection that reads or writes keeps its output buffer and, over TLS,
  // its record buffers (about 33 KiB), so a busy member does not allocate
  // them again for every line; once quiet for a while it gives them back:
  // most members are idle most of the time.
  void Active(Millis now) {
    lastActive_ = now;
    holdsBuffers_ = true;
  }
  void ReleaseBuffersIfQuiet(Millis now, Millis quiet);
  // A TLS handshake waits to write before anything more can be read.
  bool ReadWaitsForOutput() const { return tls_ && tls_->ReadWaitsForOutput(); }
  // Output that only the peer's next bytes can let out (the socket is no help).
  bool WriteWaitsForInput() const { return tls_ && tls_->WriteWaitsForInput(); }

  // (Members ordered to leave no holes: every connection has one of these.)
  Millis closeDeadline = 0;
  Millis queuedSince = 0;      // when the oldest byte not yet written was queued
  std::uint32_t interest = 0;  // the epoll events registered
  // Closing: nothing more is read; the connection ends when its output is out
  // or at the deadline, whichever comes first.
  bool closing = false;
  bool dirty = false;  // waiting in the transport's list to be flushed

 private:
  UniqueFd fd_;
  FrameIntake intake_;
  std::unique_ptr<TlsStream> tls_;  // null on the plain port
  std::string output_;
  std::size_t sent_ = 0;  // bytes at the front of output_ already written
  Millis lastActive_ = 0;
  bool holdsBuffers_ = false;
};

}  // namespace orvinta::server
