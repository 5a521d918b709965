#include "webcontrol/control_session.h"

#include <array>
#include <cstring>

#include "protocol/codec.h"
#include "protocol/guarded.h"
#include "protocol/room_key.h"
#include "text/text_util.h"

#ifndef ORVINTA_DEFAULT_SERVER_HOST
#define ORVINTA_DEFAULT_SERVER_HOST "127.0.0.1"
#endif

namespace orvinta::quendel {
namespace {

struct Route {
  std::string_view command;
  void (CZupChatMain::*handler)(std::string_view body);
};

// Everything else is consumed and dropped, "PING" included.
constexpr std::array<Route, 1> kRoutes = {{{"IFON", &CZupChatMain::ProcUserInfoToOne}}};

}  // namespace

ServerEndpoint ParseServerAddress(std::string_view address) {
  return protocol::ParseServerAddress(text::LeftBytes(address, kMaxAddressBytes));
}

std::string_view DefaultServerAddress() { return ORVINTA_DEFAULT_SERVER_HOST; }

CZupChatMain::CZupChatMain(SessionOwner& owner, platform::TransportFactory& transports)
    : owner_(owner), transports_(transports) {}

CZupChatMain::~CZupChatMain() {
  Guarded([&] {
    if (Socket) Socket->Close();
  });
}

void CZupChatMain::Connect(std::string_view address) {
  Guarded([&] {
    // The connection being replaced is closed, so that it cannot report into this session again.
    if (Socket) {
      Socket->Close();
      retired_ = std::move(Socket);
    }
    const ServerEndpoint endpoint = ParseServerAddress(address.empty() ? DefaultServerAddress() : address);
    Socket = transports_.Create(*this);
    Socket->Connect(endpoint.host, endpoint.port);
  });
}

void CZupChatMain::Disconnect(bool quiet) {
  Guarded([&] {
    if (Socket) {
      Socket->Close();
      retired_ = std::move(Socket);
    }
    if (!quiet) owner_.SetConnectStatus(false);
  });
}

void CZupChatMain::SendAskUserInfo(std::string_view roomId) {
  Guarded([&] {
    const std::string body = "0/" + std::string(protocol::StripChannelMark(roomId));
    // A room id that does not fit the query area is not asked about.
    if (body.size() >= kQueryArea) return;
    Send("ASIF", body);
  });
}

void CZupChatMain::Send(std::string_view command, std::string_view body) {
  if (!Socket) return;
  const std::string frame = protocol::EncodeMessage(protocol::MakeMessage(command, body));
  if (frame.empty()) return;
  if (owner_.DebugOn()) owner_.Log(">>> " + frame + "\r\n");
  Socket->Send(frame);
}

void CZupChatMain::PreParseMessage(std::string_view data) {
  Guarded([&] {
    if (owner_.DebugOn()) owner_.Log("<<< " + std::string(data));
    RecvBuffer.Append(data);
    while (auto frame = RecvBuffer.Next()) ParseMessage(frame->command, frame->body);
  });
}

void CZupChatMain::ParseMessage(std::string_view command, std::string_view body) {
  Guarded([&] {
    for (const Route& route : kRoutes) {
      if (route.command == command) return (this->*route.handler)(body);
    }
  });
}

void CZupChatMain::ProcUserInfoToOne(std::string_view body) {
  Guarded([&] {
    auto fields = text::Split(body, '/');
    fields.resize(std::max<std::size_t>(fields.size(), 4));
    const std::string_view userId = fields[0], roomId = fields[1], nick = fields[2], icon = fields[3];
    owner_.SetRoomInfo(roomId, userId);
    owner_.SetUserInfo(userId, nick, icon);
  });
}

void CZupChatMain::OnConnect(int error) {
  // A connect that failed is reported as the connection being down, not up.
  Guarded([&] { owner_.SetConnectStatus(error == 0); });
}

void CZupChatMain::OnReceive() {
  Guarded([&] {
    if (!Socket) return;
    char buffer[kReadSize];
    const int count = Socket->Receive(buffer, sizeof buffer);
    if (count <= 0) return;
    // The received piece is text: a zero byte ends it.
    PreParseMessage(std::string_view(buffer, strnlen(buffer, static_cast<std::size_t>(count))));
  });
}

void CZupChatMain::OnClose(int /*error*/) {
  Guarded([&] {
    owner_.SetConnectStatus(false);
    if (Socket) Socket->Close();
  });
}

}  // namespace orvinta::quendel
