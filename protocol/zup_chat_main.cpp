#include "protocol/zup_chat_main.h"

#include <array>

#include "protocol/codec.h"
#include "protocol/guarded.h"
#include "text/text_util.h"
#include "protocol/ui_text.h"

namespace orvinta::protocol {
namespace {

constexpr std::uint32_t kSentColour = 0xFF0000;
constexpr std::uint32_t kReceivedColour = 0x212121;

struct Route {
  std::string_view command;
  void (CZupChatMain::*handler)(std::string_view body);
};

// Compared exactly, first match wins.
constexpr std::array<Route, 14> kRoutes = {{
    {"USRP", &CZupChatMain::ProcUserReply},
    {"CHIN", &CZupChatMain::ProcChatIn},
    {"CHOT", &CZupChatMain::ProcChatOut},
    {"TALL", &CZupChatMain::ProcToAll},
    {"IFAL", &CZupChatMain::ProcUserInfoToAll},
    {"IFON", &CZupChatMain::ProcUserInfoToOne},
    {"RMIF", &CZupChatMain::ProcRoomInfo},
    {"IGNR", &CZupChatMain::ProcIgnore},
    {"INVT", &CZupChatMain::ProcInvite},
    {"DNIV", &CZupChatMain::ProcDenyInvite},
    {"RQBN", &CZupChatMain::ProcRequestBan},
    {"RSBN", &CZupChatMain::ProcResultBan},
    {"SYST", &CZupChatMain::ProcSystemMessage},
    {"PING", nullptr},  // answered with SendPong; its body is ignored
}};

// The id as the server keys connections: without ".", " ", ":", "/", "@", at most 20 bytes.
std::string MakeLoginId(std::string_view userId) {
  std::string id = text::RemoveChars(userId, ". :/@");
  if (id.size() > 20) id.resize(20);
  return id;
}

}  // namespace

CZupChatMain::CZupChatMain(ChatWindow& window, LaunchSettings& settings, SessionPorts ports)
    : window_(window), settings_(settings), ports_(ports) {}

CZupChatMain::~CZupChatMain() = default;

void CZupChatMain::Connect() {
  Connect(settings_.ServerAddress.empty() ? std::string(ORVINTA_DEFAULT_SERVER_HOST) : settings_.ServerAddress);
}

void CZupChatMain::Connect(std::string_view server) {
  Guarded([&] {
    retiredSocket_ = std::move(Socket);
    Socket = std::make_unique<CChatSocket>(*this, ports_.transports);
    LoginId = MakeLoginId(settings_.UserId);
    const ServerEndpoint endpoint = ParseServerAddress(server);
    Socket->Connect(endpoint.host, endpoint.port);
  });
}

void CZupChatMain::Disconnect(bool quiet) {
  Guarded([&] {
    if (Socket) {
      Socket->Close();
      retiredSocket_ = std::move(Socket);
    }
    if (!quiet) window_.SetConnectStatus(false);
  });
}

void CZupChatMain::OnConnected(int error) {
  Guarded([&] {
    if (window_.IsConnected()) return;
    // A connect that failed leaves the session down; the login watchdog
    // reports it rather than a login sent into a dead socket.
    if (error != 0) return;
    window_.SetConnectStatus(true);
    SendLogin();
  });
}

void CZupChatMain::OnSocketClosed() {
  Guarded([&] {
    window_.SetConnectStatus(false);
    if (Socket) Socket->Close();
    ShowBox("서버와의 접속이 끊어졌습니다.");
    window_.CloseClient();
  });
}

void CZupChatMain::LogSent(std::string_view frame) {
  if (settings_.DebugMonitor && ports_.monitor) {
    ports_.monitor->AddLine(">>> " + std::string(frame) + "\r\n", kSentColour);
  }
}

void CZupChatMain::PreParseMessage(std::string_view data) {
  Guarded([&] {
    if (settings_.DebugMonitor && ports_.monitor) {
      ports_.monitor->AddLine("<<< " + std::string(data), kReceivedColour);
    }
    RecvBuffer.Append(data);
    while (auto frame = RecvBuffer.Next()) ParseMessage(frame->command, frame->body);
  });
}

void CZupChatMain::ParseMessage(std::string_view command, std::string_view body) {
  Guarded([&] {
    for (const Route& route : kRoutes) {
      if (route.command != command) continue;
      if (route.handler) {
        (this->*route.handler)(body);
      } else {
        SendPong();
      }
      return;
    }
  });
}

void CZupChatMain::SendFields(std::string_view command, std::initializer_list<std::string_view> fields) {
  Guarded([&] {
    if (!Socket) return;
    std::string body;
    for (auto field = fields.begin(); field != fields.end(); ++field) {
      if (field != fields.begin()) body.push_back('/');
      body.append(*field);
    }
    Socket->Send(MakeMessage(command, text::LeftBytes(body, kMaxOutgoingBody)));
  });
}

void CZupChatMain::ShowBox(const std::string& text) {
  ports_.boxes.Show(text, std::string(ui_text::BoxCaption()), platform::BoxButtons::Ok);
}

}  // namespace orvinta::protocol
