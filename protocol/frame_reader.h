#pragma once
// Receive reassembly: bytes in, whole frames out. The buffer keeps a partial
// frame across reads; since a length has four digits it never needs to hold
// more than one frame plus one read.
#include <optional>
#include <string>
#include <string_view>

namespace orvinta::protocol {

struct Frame {
  std::string command;
  std::string body;
};

class FrameReader {
 public:
  void Append(std::string_view data) { buffer_.append(data); }

  // The next whole frame, consuming it; nullopt while the buffer holds less.
  // Length digits that are not a number count as length 0.
  std::optional<Frame> Next();

  // True once the bytes waiting cannot begin a frame: a header is four
  // upper-case letters and four digits. Next() does not look; a reader that
  // must not fall out of step asks this before it.
  bool Broken() const;

  const std::string& Buffered() const { return buffer_; }
  void Clear() {
    buffer_.clear();
    consumed_ = 0;
  }

 private:
  std::string buffer_;
  std::size_t consumed_ = 0;  // bytes at the front already handed out
};

}  // namespace orvinta::protocol
