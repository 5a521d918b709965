#pragma once
// The TLS side of one accepted connection: reads and writes with the results
// of read() and send(), so the connection treats both kinds alike. The
// handshake runs inside the first reads and writes, never blocking.
#include <cstddef>
#include <memory>

typedef struct ssl_st SSL;
typedef struct ssl_ctx_st SSL_CTX;

namespace orvinta::server {

class TlsStream {
 public:
  // nullptr when OpenSSL cannot take the socket.
  static std::unique_ptr<TlsStream> Accept(SSL_CTX* ctx, int fd);
  ~TlsStream();
  TlsStream(const TlsStream&) = delete;
  TlsStream& operator=(const TlsStream&) = delete;

  // As read() and send(): bytes moved, 0 at the peer's end (reads), or -1
  // with errno EAGAIN (wait for the socket) or ECONNRESET (failed).
  long Read(char* buffer, std::size_t size);
  long Write(const char* data, std::size_t size);
  // Gives back the record buffers; false while part of a record waits in
  // them. The next read or write takes new ones.
  bool ReleaseBuffers();
  // Decrypted bytes already held, which the socket will not announce again.
  std::size_t Pending() const;
  // A read could go on only once the socket takes output (a handshake reply).
  bool ReadWaitsForOutput() const { return readWaitsForOutput_; }
  // A write could go on only once the peer has sent more (its handshake).
  bool WriteWaitsForInput() const { return writeWaitsForInput_; }

 private:
  explicit TlsStream(SSL* ssl) : ssl_(ssl) {}
  long Result(int n, bool reading);

  SSL* ssl_;
  bool readWaitsForOutput_ = false;
  bool writeWaitsForInput_ = false;
};

}  // namespace orvinta::server
