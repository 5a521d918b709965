#include "protocol/zup_chat_main.h"

#include <array>
#include <random>

#include "protocol/ui_text.h"
#include "protocol/wire_commands.h"
#include "text/text_util.h"

namespace orvinta::protocol {
namespace {

// The id as the server keys connections: without ".", " ", ":", "/", "@", at most 20 bytes.
std::string MakeLoginId(std::string_view userId) {
  std::string id = text::RemoveChars(userId, ". :/@");
  if (id.size() > 20) id.resize(20);
  return id;
}

}  // namespace

CZupChatMain::CZupChatMain(ChatWindow& window, LaunchSettings& settings, SessionPorts ports)
    : Window(window),
      Settings(settings),
      Boxes(ports.boxes),
      MonitorLog(settings.DebugMonitor, ports.monitor),
      Socket(*this, ports.transports),
      Timers(ports.timers),
      Policy(std::move(ports.policy)),
      Backoff(std::random_device{}()),
      History(window, [this](const history::Request& request) {
        SendFields(wire::kHistoryRequest, {history::RequestBody(LoginId, request)});
      }) {
  Socket.SetTrafficLog(&MonitorLog);
  if (Timers) Timers->SetHandler([this](int id) { OnTimer(id); });
}

CZupChatMain::~CZupChatMain() {
  if (!Timers) return;
  Timers->Kill(kRetryTimer);
  Timers->Kill(kSilenceTimer);
  Timers->SetHandler(nullptr);
}

std::span<const Route<CZupChatMain>> CZupChatMain::Routes() {
  static constexpr std::array<Route<CZupChatMain>, 19> kRoutes = {{
      {wire::kUserReply, &CZupChatMain::ProcUserReply},
      {wire::kChatIn, &CZupChatMain::ProcChatIn},
      {wire::kChatOut, &CZupChatMain::ProcChatOut},
      {wire::kToAll, &CZupChatMain::ProcToAll},
      {wire::kUserInfoToAll, &CZupChatMain::ProcUserInfoToAll},
      {wire::kUserInfoToOne, &CZupChatMain::ProcUserInfoToOne},
      {wire::kRoomInfo, &CZupChatMain::ProcRoomInfo},
      {wire::kIgnore, &CZupChatMain::ProcIgnore},
      {wire::kInvite, &CZupChatMain::ProcInvite},
      {wire::kDenyInvite, &CZupChatMain::ProcDenyInvite},
      {wire::kRequestBan, &CZupChatMain::ProcRequestBan},
      {wire::kResultBan, &CZupChatMain::ProcResultBan},
      {wire::kSystem, &CZupChatMain::ProcSystemMessage},
      {wire::kPing, &CZupChatMain::AnswerPing},
      {wire::kHistoryHello, &CZupChatMain::ProcHistoryHello},
      {wire::kStampedToAll, &CZupChatMain::ProcStampedToAll},
      {wire::kOwnLineStamp, &CZupChatMain::ProcOwnLineStamp},
      {wire::kHistoryLine, &CZupChatMain::ProcHistoryLine},
      {wire::kHistoryEnd, &CZupChatMain::ProcHistoryEnd},
  }};
  return kRoutes;
}

void CZupChatMain::Connect() {
  Connect(Settings.ServerAddress.empty() ? std::string(ORVINTA_DEFAULT_SERVER_HOST) : Settings.ServerAddress);
}

void CZupChatMain::Connect(std::string_view server) {
  LoginId = MakeLoginId(Settings.UserId);
  if (Timers) Timers->Kill(kRetryTimer);  // the connect button does not wait for the next attempt
  const ServerEndpoint endpoint = ParseServerAddress(server);
  if (const auto refusal = RefusalOf(endpoint, Policy)) return GiveUpConnecting(*refusal);
  Socket.Open(endpoint);
}

void CZupChatMain::Disconnect(bool quiet) {
  if (Timers) {
    Timers->Kill(kRetryTimer);
    Timers->Kill(kSilenceTimer);
  }
  Away = LoginDelayed = false;
  Socket.Close();
  if (!quiet) Window.SetConnectStatus(false);
}

void CZupChatMain::OnFrame(std::string_view command, std::string_view body) {
  Heard();
  ParseMessage(command, body);
}

void CZupChatMain::PreParseMessage(std::string_view data) { Socket.PreParseMessage(data); }

void CZupChatMain::ParseMessage(std::string_view command, std::string_view body) {
  Dispatch(Routes(), *this, command, body);
}

void CZupChatMain::AnswerPing(std::string_view /*body*/) {
  KeepAlive.Ping(Now());
  Heard();  // the limit may have moved with what this PING taught
  SendPong();
}

void CZupChatMain::SendFields(std::string_view command, std::initializer_list<std::string_view> fields) {
  std::string body;
  for (auto field = fields.begin(); field != fields.end(); ++field) {
    if (field != fields.begin()) body.push_back('/');
    body.append(*field);
  }
  Socket.Send(command, text::LeftBytes(body, kMaxOutgoingBody));
}

void CZupChatMain::ShowBox(std::string_view text, std::function<void()> then) {
  // The window may show the box after this handler has returned (so that the
  // connection is read meanwhile): what follows the box waits for its answer.
  const std::weak_ptr<bool> alive = Alive;
  Boxes.Open(std::string(text), std::string(ui_text::BoxCaption()), platform::BoxButtons::Ok,
             [alive, then = std::move(then)](platform::BoxAnswer) {
               if (then && !alive.expired()) then();
             });
}

}  // namespace orvinta::protocol
