#pragma once
// A non-blocking listening TCP socket on one IPv4 address.
#include <cstdint>
#include <string>

#include "server/unique_fd.h"

namespace orvinta::server {

class Listener {
 public:
  // Binds and listens; on failure Valid() is false and Error() says why.
  Listener(const std::string& address, std::uint16_t port);

  bool Valid() const { return fd_.Valid(); }
  const std::string& Error() const { return error_; }
  int Fd() const { return fd_.Get(); }
  // "ADDR:PORT" as bound (the real port when 0 was asked for).
  std::string LocalAddress() const;
  std::uint16_t Port() const;

  // The next pending connection, non-blocking, or -1 when there is none (or
  // it could not be taken). peer, when given, gets the peer's IPv4 address.
  int Accept(std::string* peer = nullptr);

 private:
  UniqueFd fd_;
  UniqueFd spare_;  // given up for a moment when descriptors run out
  std::string error_;
};

}  // namespace orvinta::server
