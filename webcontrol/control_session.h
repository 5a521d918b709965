#pragma once
// The control's conversation with the chat server: the client's connection,
// framing and body encoding, but no login and no keep-alive. It sends only
// the member query "ASIF" and handles only its answer "IFON"; everything else
// the server sends is consumed by the framing and dropped.
#include <span>
#include <string>
#include <string_view>

#include "platform/message_box.h"
#include "platform/traffic_log.h"
#include "platform/transport.h"
#include "protocol/chat_connection.h"
#include "protocol/connect_policy.h"
#include "protocol/routes.h"
#include "protocol/server_address.h"

namespace orvinta::quendel {

// A clear-text server address is read from at most this many bytes.
inline constexpr std::size_t kMaxAddressBytes = 63;
// The query body is built in a fixed area of this size, its end mark included.
inline constexpr std::size_t kQueryArea = 1016;

// What the session reports to the window that owns it.
class SessionOwner {
 public:
  virtual ~SessionOwner() = default;
  virtual void SetConnectStatus(bool connected) = 0;
  virtual void SetRoomInfo(std::string_view roomId, std::string_view userId) = 0;
  virtual void SetUserInfo(std::string_view userId, std::string_view nick, std::string_view icon) = 0;
};

// Host and port of a server address, read as the client reads it: a clear-text
// one from at most its first 63 bytes, a "tls://" one whole, so that the
// certificate is checked against the name as the page wrote it.
using protocol::ServerEndpoint;
ServerEndpoint ParseServerAddress(std::string_view address);

// The server used when the page names none.
std::string_view DefaultServerAddress();
// The endpoint of `address`, or of the default server when it is empty.
ServerEndpoint EndpointOf(std::string_view address);

// The user's policy and the page's RequireTls: a page can ask for more, never for less.
protocol::ConnectPolicy PolicyWith(protocol::ConnectPolicy policy, bool pageRequiresTls);

class CControlSession final : private protocol::ConnectionListener {
 public:
  // `log` receives the traffic when set; it decides whether its switch is on.
  CControlSession(SessionOwner& owner, platform::TransportFactory& transports, platform::TrafficLog* log,
                  platform::MessageBoxes& boxes);

  // Opens a new connection to `address` (the default server when empty). An
  // address `policy` refuses is never tried: the first refusal says why in a
  // box (the page may keep asking), and each is reported as the connection down.
  void Connect(std::string_view address, const protocol::ConnectPolicy& policy);
  void Disconnect(bool quiet);
  bool HasSocket() const { return socket_.HasSocket(); }

  void SendAskUserInfo(std::string_view roomId);
  void PreParseMessage(std::string_view data) { socket_.PreParseMessage(data); }
  void ParseMessage(std::string_view command, std::string_view body);
  void ProcUserInfoToOne(std::string_view body);

 private:
  static std::span<const protocol::Route<CControlSession>> Routes();

  void OnConnected() override;
  void OnConnectFailed(int error) override;
  void OnFrame(std::string_view command, std::string_view body) override { ParseMessage(command, body); }
  void OnClosed() override;

  SessionOwner& owner_;
  platform::MessageBoxes& boxes_;
  protocol::ChatConnection socket_;
  bool refusalShown_ = false;
  bool refusing_ = false;  // a page that asks again from the down report is not answered in a loop
};

}  // namespace orvinta::quendel
