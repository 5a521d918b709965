#pragma once
// One simulated chat client of the load generator: a non-blocking socket with
// the client's framing, that answers PING by itself; over TLS when given a
// client context (the certificate is not checked: the server is our own child).
#include <functional>
#include <string>

#include "protocol/frame_reader.h"

typedef struct ssl_st SSL;
typedef struct ssl_ctx_st SSL_CTX;

namespace orvinta::bench {

class LoadConnection {
 public:
  using OnFrame = std::function<void(LoadConnection&, const protocol::Frame&)>;

  // Starts a non-blocking connect to 127.0.0.1:port; Fd() is -1 on failure.
  LoadConnection(int index, int port, SSL_CTX* tls = nullptr);
  ~LoadConnection();
  LoadConnection(const LoadConnection&) = delete;
  LoadConnection& operator=(const LoadConnection&) = delete;

  int Fd() const { return fd_; }
  int Index() const { return index_; }
  bool Open() const { return fd_ >= 0 && !closed_; }

  void Send(std::string_view command, std::string_view plainBody);
  // Writes what is queued; true while output is left.
  bool Flush();
  bool HasOutput() const { return !output_.empty(); }
  // Reads what is there and hands every frame to the callback.
  void Read(const OnFrame& onFrame);

 private:
  // Moves a TLS handshake on; true once it is done (always for clear text).
  bool Handshaken();
  long RawRead(char* buffer, std::size_t size);
  long RawWrite(const char* data, std::size_t size);

  int index_;
  int fd_ = -1;
  SSL* ssl_ = nullptr;
  bool handshaken_ = false;
  bool closed_ = false;
  std::string output_;
  protocol::FrameReader reader_;
};

}  // namespace orvinta::bench
