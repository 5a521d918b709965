#include "webcontrol/control_session.h"

#include <array>
#include <utility>

#include "protocol/room_key.h"
#include "protocol/ui_text.h"
#include "protocol/wire_commands.h"
#include "text/text_util.h"

#ifndef ORVINTA_DEFAULT_SERVER_HOST
#define ORVINTA_DEFAULT_SERVER_HOST "127.0.0.1"
#endif

namespace orvinta::quendel {

ServerEndpoint ParseServerAddress(std::string_view address) {
  const bool secure = text::StartsWithIgnoreCase(address, "tls://");
  return protocol::ParseServerAddress(secure ? address : text::LeftBytes(address, kMaxAddressBytes));
}

std::string_view DefaultServerAddress() { return ORVINTA_DEFAULT_SERVER_HOST; }

ServerEndpoint EndpointOf(std::string_view address) {
  return ParseServerAddress(address.empty() ? DefaultServerAddress() : address);
}

protocol::ConnectPolicy PolicyWith(protocol::ConnectPolicy policy, bool pageRequiresTls) {
  policy.requireTls = policy.requireTls || pageRequiresTls;
  return policy;
}

CControlSession::CControlSession(SessionOwner& owner, platform::TransportFactory& transports,
                                 platform::TrafficLog* log, platform::MessageBoxes& boxes)
    : owner_(owner), boxes_(boxes), socket_(*this, transports) {
  socket_.SetTrafficLog(log);
}

std::span<const protocol::Route<CControlSession>> CControlSession::Routes() {
  // Everything else is consumed and dropped, "PING" included.
  static constexpr std::array<protocol::Route<CControlSession>, 1> kRoutes = {{
      {wire::kUserInfoToOne, &CControlSession::ProcUserInfoToOne},
  }};
  return kRoutes;
}

void CControlSession::Connect(std::string_view address, const protocol::ConnectPolicy& policy) {
  if (refusing_) return;
  const ServerEndpoint endpoint = EndpointOf(address);
  const auto refusal = protocol::RefusalOf(endpoint, policy);
  if (!refusal) return socket_.Open(endpoint);
  if (!std::exchange(refusalShown_, true)) {
    boxes_.Open(*refusal, std::string(ui_text::BoxCaption()), platform::BoxButtons::Ok, {});
  }
  refusing_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{refusing_};
  owner_.SetConnectStatus(false);
}

void CControlSession::Disconnect(bool quiet) {
  socket_.Close();
  if (!quiet) owner_.SetConnectStatus(false);
}

void CControlSession::SendAskUserInfo(std::string_view roomId) {
  const std::string body = "0/" + std::string(protocol::StripChannelMark(roomId));
  // A room id that does not fit the query area is not asked about.
  if (body.size() >= kQueryArea) return;
  socket_.Send(wire::kAskUserInfo, body);
}

void CControlSession::ParseMessage(std::string_view command, std::string_view body) {
  protocol::Dispatch(Routes(), *this, command, body);
}

void CControlSession::ProcUserInfoToOne(std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 5);
  const std::string_view userId = fields[0], roomId = fields[1], nick = fields[2], icon = fields[3];
  owner_.SetRoomInfo(roomId, userId);
  owner_.SetUserInfo(userId, nick, icon);
}

void CControlSession::OnConnected() { owner_.SetConnectStatus(true); }

// A connect that failed is reported as the connection being down, not up.
void CControlSession::OnConnectFailed(int /*error*/) { owner_.SetConnectStatus(false); }

void CControlSession::OnClosed() { owner_.SetConnectStatus(false); }

}  // namespace orvinta::quendel
