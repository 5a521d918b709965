#include "bench/server/load_connection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <openssl/ssl.h>

#include <cerrno>

#include "bench/server/loopback_socket.h"
#include "protocol/wire_commands.h"
#include "protocol/codec.h"

namespace orvinta::bench {

LoadConnection::LoadConnection(int index, int port, SSL_CTX* tls) : index_(index), fd_(ConnectToLoopback(port)) {
  handshaken_ = tls == nullptr;
  if (tls == nullptr || fd_ < 0) return;
  ssl_ = SSL_new(tls);
  SSL_set_fd(ssl_, fd_);
  SSL_set_connect_state(ssl_);
}

LoadConnection::~LoadConnection() {
  SSL_free(ssl_);
  if (fd_ >= 0) close(fd_);
}

bool LoadConnection::Handshaken() {
  if (handshaken_) return true;
  const int r = SSL_do_handshake(ssl_);
  if (r == 1) return handshaken_ = true;
  const int e = SSL_get_error(ssl_, r);
  if (e != SSL_ERROR_WANT_READ && e != SSL_ERROR_WANT_WRITE) closed_ = true;
  return false;
}

// As read() and send(), with EAGAIN while TLS waits for the socket.
long LoadConnection::RawRead(char* buffer, std::size_t size) {
  if (ssl_ == nullptr) return read(fd_, buffer, size);
  if (!Handshaken()) return errno = EAGAIN, -1;
  const int n = SSL_read(ssl_, buffer, static_cast<int>(size));
  if (n > 0) return n;
  const int e = SSL_get_error(ssl_, n);
  if (e == SSL_ERROR_WANT_READ || e == SSL_ERROR_WANT_WRITE) return errno = EAGAIN, -1;
  if (e == SSL_ERROR_ZERO_RETURN) return 0;
  return errno = ECONNRESET, -1;
}

long LoadConnection::RawWrite(const char* data, std::size_t size) {
  if (ssl_ == nullptr) return send(fd_, data, size, MSG_NOSIGNAL);
  if (!Handshaken()) return errno = EAGAIN, -1;
  const int n = SSL_write(ssl_, data, static_cast<int>(size));
  if (n > 0) return n;
  const int e = SSL_get_error(ssl_, n);
  if (e == SSL_ERROR_WANT_READ || e == SSL_ERROR_WANT_WRITE) return errno = EAGAIN, -1;
  return errno = ECONNRESET, -1;
}

void LoadConnection::Send(std::string_view command, std::string_view plainBody) {
  output_ += protocol::EncodeMessage(protocol::MakeMessage(command, plainBody));
}

bool LoadConnection::Flush() {
  while (!output_.empty() && Open()) {
    const ssize_t n = RawWrite(output_.data(), output_.size());
    if (n > 0) {
      output_.erase(0, static_cast<std::size_t>(n));
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOTCONN)) {
      break;
    } else if (!(n < 0 && errno == EINTR)) {
      closed_ = true;
    }
  }
  return !output_.empty();
}

void LoadConnection::Read(const OnFrame& onFrame) {
  char buffer[16 * 1024];
  for (;;) {
    const ssize_t n = RawRead(buffer, sizeof buffer);
    if (n > 0) {
      reader_.Append(std::string_view(buffer, static_cast<std::size_t>(n)));
      while (auto frame = reader_.Next()) {
        if (frame->command == wire::kPing) Send(wire::kPong, "");
        onFrame(*this, *frame);
      }
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) closed_ = true;
    return;
  }
}

}  // namespace orvinta::bench
