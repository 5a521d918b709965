#include "server/listener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

namespace orvinta::server {

Listener::Listener(const std::string& address, std::uint16_t port)
    : spare_(open("/dev/null", O_RDONLY | O_CLOEXEC)) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  if (inet_pton(AF_INET, address.c_str(), &sa.sin_addr) != 1) {
    error_ = "not an IPv4 address: " + address;
    return;
  }
  UniqueFd fd(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  const int on = 1;
  if (!fd.Valid() || setsockopt(fd.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
      bind(fd.Get(), reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || listen(fd.Get(), SOMAXCONN) != 0) {
    error_ = "cannot listen on " + address + ":" + std::to_string(port) + ": " + std::strerror(errno);
    return;
  }
  fd_ = std::move(fd);
}

std::string Listener::LocalAddress() const {
  sockaddr_in sa{};
  socklen_t len = sizeof sa;
  if (getsockname(fd_.Get(), reinterpret_cast<sockaddr*>(&sa), &len) != 0) return {};
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &sa.sin_addr, text, sizeof text);
  return std::string(text) + ":" + std::to_string(ntohs(sa.sin_port));
}

std::uint16_t Listener::Port() const {
  sockaddr_in sa{};
  socklen_t len = sizeof sa;
  return getsockname(fd_.Get(), reinterpret_cast<sockaddr*>(&sa), &len) == 0 ? ntohs(sa.sin_port) : 0;
}

int Listener::Accept(std::string* peer) {
  sockaddr_in sa{};
  socklen_t len = sizeof sa;
  const int fd = accept4(fd_.Get(), reinterpret_cast<sockaddr*>(&sa), &len, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd >= 0) {
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (peer != nullptr) {
      char text[INET_ADDRSTRLEN] = {};
      *peer = inet_ntop(AF_INET, &sa.sin_addr, text, sizeof text) ? text : "";
    }
    return fd;
  }
  if ((errno == EMFILE || errno == ENFILE) && spare_.Valid()) {
    // Out of descriptors: take the waiting connection with the spare one and
    // close it at once, or it would keep the listener readable for ever.
    spare_.Reset();
    const int refused = accept(fd_.Get(), nullptr, nullptr);
    if (refused >= 0) close(refused);
    spare_.Reset(open("/dev/null", O_RDONLY | O_CLOEXEC));
  }
  return -1;
}

}  // namespace orvinta::server
