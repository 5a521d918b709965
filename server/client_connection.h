#pragma once
// The bytes of one chat connection: a bounded input side that yields decoded
// frames and a bounded output buffer. It knows nothing of what frames mean.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "server/clock.h"
#include "server/event_loop.h"
#include "server/frame_intake.h"
#include "server/unique_fd.h"

namespace orvinta::server {

enum class IoStatus { kOpen, kClosed };

class ClientConnection {
 public:
  ClientConnection(UniqueFd fd, IntakeLimits intake, std::size_t maxOutput)
      : fd_(std::move(fd)), intake_(intake), maxOutput_(maxOutput) {}

  int Fd() const { return fd_.Get(); }
  EventLoop::Token token = 0;

  // One read into the intake. kClosed on end of stream or error.
  // wouldBlock is set when nothing more is waiting.
  IoStatus ReadOnce(bool& wouldBlock);
  FrameIntake& Intake() { return intake_; }

  // False when the frame would pass the output bound: the peer is not reading.
  bool Queue(std::string_view frame);
  // Writes what the socket takes, counting the send() calls. kClosed on error.
  IoStatus Flush(std::uint64_t& sendCalls);
  bool HasOutput() const { return sent_ < output_.size(); }
  std::size_t QueuedBytes() const { return output_.size() - sent_; }

  // Closing: nothing more is read; the connection ends when its output is out
  // or at the deadline, whichever comes first.
  bool closing = false;
  Millis closeDeadline = 0;
  std::uint32_t interest = 0;  // the epoll events registered
  bool dirty = false;          // waiting in the transport's list to be flushed
  Millis queuedSince = 0;      // when the oldest byte not yet written was queued

 private:
  UniqueFd fd_;
  FrameIntake intake_;
  std::size_t maxOutput_;
  std::string output_;
  std::size_t sent_ = 0;  // bytes at the front of output_ already written
};

}  // namespace orvinta::server
