#pragma once
// Receive side of one client connection: bytes in, decoded frames out.
// Unlike the client's reassembly it trusts nothing: a header that is not four
// upper-case letters and four digits is garbage and is skipped, a body that
// does not decode (or would carry a zero byte) is dropped, and both are
// counted so that a peer that keeps sending them can be cut off.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/frame_reader.h"

namespace orvinta::server {

struct IntakeLimits {
  std::size_t maxBadFrames = 8;
  std::size_t maxGarbageBytes = 4096;
};

class FrameIntake {
 public:
  explicit FrameIntake(IntakeLimits limits = {})
      : maxBadFrames_(static_cast<std::uint32_t>(limits.maxBadFrames)),
        maxGarbageBytes_(static_cast<std::uint32_t>(limits.maxGarbageBytes)) {}

  // Never holds more than one frame (8 + 9999 bytes) plus one append.
  void Append(std::string_view data) { buffer_.append(data); }

  // The next good frame with its body decoded; skips and counts bad ones.
  std::optional<protocol::Frame> Next();

  // True once the peer has sent more bad frames or garbage than allowed.
  bool Hopeless() const {
    return badFrames_ >= maxBadFrames_ || garbageBytes_ >= maxGarbageBytes_;
  }
  std::size_t BadFrames() const { return badFrames_; }
  std::size_t Buffered() const { return buffer_.size() - consumed_; }

 private:
  // Drops bytes up to the next place where a header may start.
  void SkipGarbage();
  void Compact();

  // Every connection has one: kept small. Counts stop at the limits, and
  // the buffer never holds more than a frame and a read.
  std::string buffer_;
  std::uint32_t consumed_ = 0;
  std::uint32_t badFrames_ = 0;
  std::uint32_t garbageBytes_ = 0;
  std::uint32_t maxBadFrames_;
  std::uint32_t maxGarbageBytes_;
};

}  // namespace orvinta::server
