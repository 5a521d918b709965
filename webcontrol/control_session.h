#pragma once
// The control's conversation with the chat server: the client's framing,
// reassembly and body encoding, but no login and no keep-alive. It sends only
// the member query "ASIF" and handles only its answer "IFON"; everything else
// the server sends is consumed by the framing and dropped.
#include <memory>
#include <string>
#include <string_view>

#include "platform/transport.h"
#include "protocol/frame_reader.h"
#include "protocol/server_address.h"

namespace orvinta::quendel {

// The server address is read from at most this many bytes.
inline constexpr std::size_t kMaxAddressBytes = 63;
// The query body is built in a fixed area of this size, its end mark included.
inline constexpr std::size_t kQueryArea = 1016;
inline constexpr std::size_t kReadSize = 1023;

// What the session reports to the window that owns it.
class SessionOwner {
 public:
  virtual ~SessionOwner() = default;
  virtual void SetConnectStatus(bool connected) = 0;
  virtual void SetRoomInfo(std::string_view roomId, std::string_view userId) = 0;
  virtual void SetUserInfo(std::string_view userId, std::string_view nick, std::string_view icon) = 0;
  virtual bool DebugOn() const = 0;
  virtual void Log(std::string_view entry) = 0;
};

// Host and port of a server address, read as the client reads it, from at
// most the first 63 bytes of the address.
using protocol::ServerEndpoint;
ServerEndpoint ParseServerAddress(std::string_view address);

// The server used when the page names none.
std::string_view DefaultServerAddress();

class CZupChatMain final : public platform::TransportListener {
 public:
  CZupChatMain(SessionOwner& owner, platform::TransportFactory& transports);
  ~CZupChatMain() override;
  CZupChatMain(const CZupChatMain&) = delete;
  CZupChatMain& operator=(const CZupChatMain&) = delete;

  // Opens a new connection to `address` (the default server when empty).
  void Connect(std::string_view address);
  void Disconnect(bool quiet);
  bool HasSocket() const { return Socket != nullptr; }

  void SendAskUserInfo(std::string_view roomId);
  void PreParseMessage(std::string_view data);
  void ParseMessage(std::string_view command, std::string_view body);
  void ProcUserInfoToOne(std::string_view body);

  void OnConnect(int error) override;
  void OnReceive() override;
  void OnClose(int error) override;

 private:
  void Send(std::string_view command, std::string_view body);

  SessionOwner& owner_;
  platform::TransportFactory& transports_;
  std::unique_ptr<platform::Transport> Socket;
  // A connection replaced or closed from inside one of its own notifications
  // is kept until the next connect, so that the notification can return through it.
  std::unique_ptr<platform::Transport> retired_;
  protocol::FrameReader RecvBuffer;
};

}  // namespace orvinta::quendel
