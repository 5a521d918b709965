#pragma once
// The session's connection: turns transport notifications into session calls
// and sends whole frames.
#include <memory>
#include <string>
#include <string_view>

#include "platform/transport.h"

namespace orvinta::protocol {

class CZupChatMain;

class CChatSocket final : public platform::TransportListener {
 public:
  static constexpr std::size_t kReadSize = 1023;
  static constexpr std::size_t kHostSize = 64;

  CChatSocket(CZupChatMain& owner, platform::TransportFactory& factory);

  void Connect(std::string_view host, int port);
  // Sends one frame for a message of the form command + 4 placeholder bytes +
  // plain body; returns what the transport's send returned.
  int Send(std::string_view message);
  void Close();

  const std::string& Host() const { return host_; }

  void OnConnect(int error) override;
  void OnReceive() override;
  void OnClose(int error) override;

 private:
  CZupChatMain& owner_;
  std::unique_ptr<platform::Transport> transport_;
  std::string host_;
};

}  // namespace orvinta::protocol
