#pragma once
// A stream connection to a chat server. Notifications arrive on the event
// loop's thread; nothing here blocks.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace orvinta::platform {

// Why a secure connection was refused before anything was sent: the codes
// OnConnect reports for them (other failures report small numbers).
enum TransportFailure : int {
  kCertificateUntrusted = 1001,  // no trusted authority signed it (or it signed itself)
  kCertificateWrongHost,         // made out for another name
  kCertificateExpired,           // out of its dates
  kSecureHandshakeFailed,        // no common protocol, or the peer does not speak TLS
};

class TransportListener {
 public:
  virtual ~TransportListener() = default;
  // The connect attempt ended; error is 0 on success.
  virtual void OnConnect(int error) = 0;
  // Bytes are waiting to be read with Receive.
  virtual void OnReceive() = 0;
  // The peer or the network closed the connection.
  virtual void OnClose(int error) = 0;
};

class Transport {
 public:
  virtual ~Transport() = default;
  // Starts connecting; a host name is resolved by the platform. A secure
  // connection reports OnConnect only once the server's certificate has been
  // checked against the host name, and never falls back to clear text.
  virtual void Connect(const std::string& host, int port, bool secure) = 0;
  // Hands the bytes to the connection once; returns what was taken or -1.
  virtual int Send(std::string_view bytes) = 0;
  // Reads at most `size` waiting bytes; 0 or less when none.
  virtual int Receive(char* buffer, std::size_t size) = 0;
  // Drops the connection at once; bytes not yet sent are lost.
  virtual void Close() = 0;
  // Sends what is still queued, waiting at most `deadlineMs`, then closes.
  // Blocks the calling thread for that bounded time: for a connection that is
  // going away with the program or the page.
  virtual void CloseGracefully(int deadlineMs) = 0;
};

class TransportFactory {
 public:
  virtual ~TransportFactory() = default;
  virtual std::unique_ptr<Transport> Create(TransportListener& listener) = 0;
};

}  // namespace orvinta::platform
