#include "server/client_connection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace orvinta::server {
namespace {

// A drained output buffer up to this size is kept for the connection's next lines.
constexpr std::size_t kKeptOutputBytes = 16 * 1024;

}  // namespace

IoStatus ClientConnection::ReadOnce(bool& wouldBlock) {
  char buffer[16 * 1024];
  wouldBlock = false;
  for (;;) {
    const ssize_t n = tls_ ? tls_->Read(buffer, sizeof buffer) : ::read(fd_.Get(), buffer, sizeof buffer);
    if (n > 0) {
      intake_.Append(std::string_view(buffer, static_cast<std::size_t>(n)));
      // A record is one read: what TLS already decrypted is never announced again.
      wouldBlock = static_cast<std::size_t>(n) < sizeof buffer && !(tls_ && tls_->Pending() > 0);
      return IoStatus::kOpen;
    }
    if (n == 0) return IoStatus::kClosed;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      wouldBlock = true;
      return IoStatus::kOpen;
    }
    return IoStatus::kClosed;
  }
}

void ClientConnection::ReleaseBuffersIfQuiet(Millis now, Millis quiet) {
  if (!holdsBuffers_ || HasOutput() || now - lastActive_ < quiet) return;
  std::string().swap(output_);
  sent_ = 0;
  // TLS keeps a buffer that still holds part of a record; it goes next time.
  holdsBuffers_ = tls_ && !tls_->ReleaseBuffers();
}

bool ClientConnection::Queue(std::string_view frame, std::size_t maxOutput) {
  if (output_.size() - sent_ + frame.size() > maxOutput) return false;
  output_.append(frame);
  return true;
}

IoStatus ClientConnection::Flush(std::uint64_t& sendCalls) {
  while (sent_ < output_.size()) {
    ++sendCalls;
    const ssize_t n = tls_ ? tls_->Write(output_.data() + sent_, output_.size() - sent_)
                           : ::send(fd_.Get(), output_.data() + sent_, output_.size() - sent_, MSG_NOSIGNAL);
    if (n > 0) {
      sent_ += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    return IoStatus::kClosed;
  }
  if (sent_ == output_.size()) {
    // The buffer stays for the next lines, unless a burst made it large.
    if (output_.capacity() > kKeptOutputBytes) {
      std::string().swap(output_);
    } else {
      output_.clear();
    }
    sent_ = 0;
  } else if (sent_ > 64 * 1024) {
    output_.erase(0, sent_);
    sent_ = 0;
  }
  return IoStatus::kOpen;
}

}  // namespace orvinta::server
