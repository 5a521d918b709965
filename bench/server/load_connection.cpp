#include "bench/server/load_connection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "bench/server/loopback_socket.h"
#include "protocol/wire_commands.h"
#include "protocol/codec.h"

namespace orvinta::bench {

LoadConnection::LoadConnection(int index, int port) : index_(index), fd_(ConnectToLoopback(port)) {}

LoadConnection::~LoadConnection() {
  if (fd_ >= 0) close(fd_);
}

void LoadConnection::Send(std::string_view command, std::string_view plainBody) {
  output_ += protocol::EncodeMessage(protocol::MakeMessage(command, plainBody));
}

bool LoadConnection::Flush() {
  while (!output_.empty() && Open()) {
    const ssize_t n = send(fd_, output_.data(), output_.size(), MSG_NOSIGNAL);
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
    const ssize_t n = read(fd_, buffer, sizeof buffer);
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
