#include "server/tls_stream.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>

namespace orvinta::server {
namespace {

// The records go to the socket with send() and come with read(): OpenSSL's
// own socket BIO writes with write(), which costs the kernel more per call,
// and every line to a member is a call. The descriptor stays the connection's.
int FdOf(BIO* bio) { return static_cast<int>(reinterpret_cast<std::intptr_t>(BIO_get_data(bio))); }

bool Retry(int error) { return error == EAGAIN || error == EWOULDBLOCK || error == EINTR; }

int SocketWrite(BIO* bio, const char* data, std::size_t size, std::size_t* written) {
  BIO_clear_retry_flags(bio);
  const ssize_t n = send(FdOf(bio), data, size, MSG_NOSIGNAL);
  if (n >= 0) {
    *written = static_cast<std::size_t>(n);
    return 1;
  }
  if (Retry(errno)) BIO_set_retry_write(bio);
  return 0;
}

int SocketRead(BIO* bio, char* data, std::size_t size, std::size_t* got) {
  BIO_clear_retry_flags(bio);
  const ssize_t n = read(FdOf(bio), data, size);
  if (n > 0) {
    *got = static_cast<std::size_t>(n);
    return 1;
  }
  if (n == 0) {
    BIO_set_flags(bio, BIO_FLAGS_IN_EOF);
  } else if (Retry(errno)) {
    BIO_set_retry_read(bio);
  }
  return 0;
}

long SocketControl(BIO* bio, int command, long, void*) {
  if (command == BIO_CTRL_FLUSH) return 1;
  if (command == BIO_CTRL_EOF) return BIO_test_flags(bio, BIO_FLAGS_IN_EOF) != 0;
  return 0;
}

const BIO_METHOD* SocketMethod() {
  static BIO_METHOD* const method = [] {
    BIO_METHOD* m = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "orvinta socket");
    if (m == nullptr) return m;
    BIO_meth_set_write_ex(m, SocketWrite);
    BIO_meth_set_read_ex(m, SocketRead);
    BIO_meth_set_ctrl(m, SocketControl);
    BIO_meth_set_create(m, [](BIO* bio) {
      BIO_set_init(bio, 1);
      return 1;
    });
    return m;
  }();
  return method;
}

}  // namespace

std::unique_ptr<TlsStream> TlsStream::Accept(SSL_CTX* ctx, int fd) {
  const BIO_METHOD* method = SocketMethod();
  SSL* ssl = method ? SSL_new(ctx) : nullptr;
  if (ssl == nullptr) return nullptr;
  BIO* bio = BIO_new(method);
  if (bio == nullptr) {
    SSL_free(ssl);
    return nullptr;
  }
  BIO_set_data(bio, reinterpret_cast<void*>(static_cast<std::intptr_t>(fd)));
  SSL_set_bio(ssl, bio, bio);  // the connection's SSL owns it
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

bool TlsStream::ReleaseBuffers() { return SSL_free_buffers(ssl_) == 1; }

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
