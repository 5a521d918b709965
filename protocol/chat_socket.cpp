#include "protocol/chat_socket.h"

#include <cstring>

#include "protocol/codec.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::protocol {

CChatSocket::CChatSocket(CZupChatMain& owner, platform::TransportFactory& factory)
    : owner_(owner), transport_(factory.Create(*this)) {}

void CChatSocket::Connect(std::string_view host, int port) {
  host_ = std::string(host.substr(0, kHostSize - 1));
  transport_->Connect(host_, port);
}

int CChatSocket::Send(std::string_view message) {
  const std::string frame = EncodeMessage(message);
  if (frame.empty()) return -1;
  owner_.LogSent(frame);
  return transport_->Send(frame);
}

void CChatSocket::Close() { transport_->Close(); }

void CChatSocket::OnConnect(int error) { owner_.OnConnected(error); }

void CChatSocket::OnReceive() {
  char buffer[kReadSize];
  const int count = transport_->Receive(buffer, sizeof buffer);
  if (count <= 0) return;
  // The received piece is text: a zero byte ends it.
  const std::size_t size = strnlen(buffer, static_cast<std::size_t>(count));
  owner_.PreParseMessage(std::string_view(buffer, size));
}

void CChatSocket::OnClose(int /*error*/) { owner_.OnSocketClosed(); }

}  // namespace orvinta::protocol
