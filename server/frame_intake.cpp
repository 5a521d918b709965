#include "server/frame_intake.h"

#include "protocol/codec.h"

namespace orvinta::server {
namespace {

using protocol::kCommandSize;
using protocol::kHeaderSize;

// True when the bytes could be the start of a well-formed header.
bool IsHeaderPrefix(std::string_view bytes) {
  const std::size_t n = bytes.size() < kHeaderSize ? bytes.size() : kHeaderSize;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = bytes[i];
    const bool ok = i < kCommandSize ? (c >= 'A' && c <= 'Z') : (c >= '0' && c <= '9');
    if (!ok) return false;
  }
  return true;
}

}  // namespace

std::optional<protocol::Frame> FrameIntake::Next() {
  while (!Hopeless()) {
    std::string_view pending = std::string_view(buffer_).substr(consumed_);
    if (!IsHeaderPrefix(pending)) {
      SkipGarbage();
      continue;
    }
    if (pending.size() < kHeaderSize) break;
    const std::size_t length = protocol::ParseLengthField(pending.substr(kCommandSize));
    if (pending.size() < kHeaderSize + length) break;

    std::string command(pending.substr(0, kCommandSize));
    auto body = protocol::Decode(pending.substr(kHeaderSize, length));
    consumed_ += static_cast<std::uint32_t>(kHeaderSize + length);
    // A zero byte would end the text at every client that reads it.
    if (!body || body->find('\0') != std::string::npos) {
      ++badFrames_;
      continue;
    }
    return protocol::Frame{std::move(command), std::move(*body)};
  }
  Compact();
  return std::nullopt;
}

void FrameIntake::SkipGarbage() {
  std::size_t skip = 1;
  const std::string_view pending = std::string_view(buffer_).substr(consumed_);
  while (skip < pending.size() && !IsHeaderPrefix(pending.substr(skip))) ++skip;
  consumed_ += static_cast<std::uint32_t>(skip);
  garbageBytes_ += static_cast<std::uint32_t>(skip);
  // Every header's worth of garbage counts as a bad frame of its own.
  badFrames_ += static_cast<std::uint32_t>((skip + kHeaderSize - 1) / kHeaderSize);
}

void FrameIntake::Compact() {
  if (consumed_ == buffer_.size()) {
    std::string().swap(buffer_);  // nothing pending: an idle connection holds no buffer
  } else {
    buffer_.erase(0, consumed_);
  }
  consumed_ = 0;
}

}  // namespace orvinta::server
