#include "server/tls_stream.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

#include <cerrno>
#include <climits>

namespace orvinta::server {

std::unique_ptr<TlsStream> TlsStream::Accept(SSL_CTX* ctx, int fd) {
  SSL* ssl = SSL_new(ctx);
  if (ssl == nullptr) return nullptr;
  if (SSL_set_fd(ssl, fd) != 1) {
    SSL_free(ssl);
    return nullptr;
  }
  SSL_set_accept_state(ssl);
  return std::unique_ptr<TlsStream>(new TlsStream(ssl));
}

TlsStream::~TlsStream() { SSL_free(ssl_); }

long TlsStream::Read(char* buffer, std::size_t size) {
  ERR_clear_error();
  const int n = SSL_read(ssl_, buffer, static_cast<int>(size > INT_MAX ? INT_MAX : size));
  return Result(n, true);
}

long TlsStream::Write(const char* data, std::size_t size) {
  ERR_clear_error();
  const int n = SSL_write(ssl_, data, static_cast<int>(size > INT_MAX ? INT_MAX : size));
  return Result(n, false);
}

void TlsStream::ReleaseBuffers() { SSL_free_buffers(ssl_); }  // refuses while data waits

std::size_t TlsStream::Pending() const { return static_cast<std::size_t>(SSL_pending(ssl_)); }

long TlsStream::Result(int n, bool reading) {
  (reading ? readWaitsForOutput_ : writeWaitsForInput_) = false;
  if (n > 0) return n;
  const int error = SSL_get_error(ssl_, n);
  ERR_clear_error();
  switch (error) {
    case SSL_ERROR_ZERO_RETURN:
      if (reading) return 0;
      break;
    case SSL_ERROR_WANT_WRITE:
      if (reading) readWaitsForOutput_ = true;
      errno = EAGAIN;
      return -1;
    case SSL_ERROR_WANT_READ:
      if (!reading) writeWaitsForInput_ = true;
      errno = EAGAIN;
      return -1;
    default:
      break;
  }
  // A failed handshake (clear text on this port, an old protocol) or a broken
  // stream: the connection is over.
  errno = ECONNRESET;
  return -1;
}

}  // namespace orvinta::server
