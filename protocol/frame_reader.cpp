#include "protocol/frame_reader.h"

#include "protocol/codec.h"

namespace orvinta::protocol {

bool FrameReader::Broken() const {
  const std::string_view pending = std::string_view(buffer_).substr(consumed_);
  for (std::size_t i = 0; i < pending.size() && i < kHeaderSize; ++i) {
    const char c = pending[i];
    if (i < kCommandSize ? (c < 'A' || c > 'Z') : (c < '0' || c > '9')) return true;
  }
  return false;
}

std::optional<Frame> FrameReader::Next() {
  // Consumed bytes are dropped lazily, once per batch of frames, so that many
  // small frames in one read do not shift the buffer once each.
  const std::string_view pending = std::string_view(buffer_).substr(consumed_);
  if (pending.size() >= kHeaderSize) {
    const std::size_t length = ParseLengthField(pending.substr(kCommandSize, kLengthSize));
    if (pending.size() >= kHeaderSize + length) {
      Frame frame{std::string(pending.substr(0, kCommandSize)),
                  std::string(pending.substr(kHeaderSize, length))};
      consumed_ += kHeaderSize + length;
      return frame;
    }
  }
  buffer_.erase(0, consumed_);
  consumed_ = 0;
  return std::nullopt;
}

}  // namespace orvinta::protocol
