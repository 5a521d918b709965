// The connection's state, login, keep-alive and the server's system messages.
#include <array>
#include <functional>

#include "platform/transport.h"
#include "protocol/room_key.h"
#include "protocol/wire_commands.h"
#include "text/text_util.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::protocol {
namespace {

constexpr std::string_view kCannotConnect = "서버에 접속할 수 없습니다.";
constexpr std::string_view kConnectionLost = "서버와의 접속이 끊어졌습니다.";
constexpr std::string_view kBrokenStream = "서버에서 잘못된 데이터를 받아 연결을 끊었습니다.";

// Why a secure connection was not made; the client never tries clear text instead.
struct RefusedCertificate {
  int failure;
  std::string_view text;
};
constexpr std::array<RefusedCertificate, 4> kRefusedCertificates = {{
    {platform::kCertificateUntrusted,
     "서버의 인증서를 확인할 수 없어 접속하지 않았습니다.\n\n이 컴퓨터가 신뢰하는 기관이 서명한 인증서가 아닙니다."},
    {platform::kCertificateWrongHost,
     "서버의 인증서를 확인할 수 없어 접속하지 않았습니다.\n\n인증서가 %s 서버의 것이 아닙니다."},
    {platform::kCertificateExpired,
     "서버의 인증서를 확인할 수 없어 접속하지 않았습니다.\n\n인증서의 유효 기간이 지났거나 아직 시작되지 않았습니다."},
    {platform::kSecureHandshakeFailed,
     "서버와 보안 연결(TLS)을 맺지 못해 접속하지 않았습니다.\n\n서버 주소의 포트가 TLS 포트인지 확인해주세요."},
}};

// What a system message does besides its box, in the order it does it.
enum class SystemEffect {
  None,
  PeerAbsentLine,   // code 1
  AlreadyOnline,    // code 2: stop the watchdog, disconnect, box, close
  Box,              // box only
  BoxThenLeave,     // box, then leave the room named by the value
  Leave,            // leave without a box
  BringToFront,     // code 8
  BoxThenClose,     // stop the watchdog, box, close the client
  BoxThenCloseOnly  // box, close the client (watchdog left running)
};

enum class BoxArgument { None, Value, Nick };

struct SystemCode {
  long code;
  SystemEffect effect;
  std::string_view text;
  BoxArgument argument;
};

constexpr std::array<SystemCode, 13> kSystemCodes = {{
    {1, SystemEffect::PeerAbsentLine, "<BR><B>▷ %s님은 오르빈타에 접속중이 아닙니다 ◁</B><BR><BR>", BoxArgument::Value},
    {2, SystemEffect::AlreadyOnline,
     "%s님은 이미 오르빈타을 사용 중입니다\n\n비정상적인 종료의 경우 잠시후 다시 접속해주세요  ", BoxArgument::Value},
    {3, SystemEffect::Box, "%s님은 현재 오르빈타을 이용하실 수 없습니다.", BoxArgument::Value},
    {4, SystemEffect::BoxThenLeave, "해당 미렐는 현재 접근제한 상태이므로 채팅기능을 이용할 수 없습니다.",
     BoxArgument::None},
    {5, SystemEffect::BoxThenLeave, "%s님은 해당 미렐의 회원이 아닙니다.", BoxArgument::Nick},
    {6, SystemEffect::Leave, "", BoxArgument::None},
    {7, SystemEffect::None, "", BoxArgument::None},
    {8, SystemEffect::BringToFront, "", BoxArgument::None},
    {9, SystemEffect::BoxThenClose, "채팅관련 창을 (채팅중인 미렐보기 포함) 닫은 후 다시 접속해주세요",
     BoxArgument::None},
    {10, SystemEffect::BoxThenLeave, "%s 미렐의 채팅방이 꽉 찼습니다.", BoxArgument::Value},
    {11, SystemEffect::Box,
     "채팅서버 점검을 위해 %s분 후 채팅서비스를 잠시 중지하겠습니다.\n\n이용에 불편을 드려 대단히 죄송합니다.",
     BoxArgument::Value},
    {12, SystemEffect::BoxThenCloseOnly, kCannotConnect, BoxArgument::None},
    {13, SystemEffect::BoxThenLeave, "사용자가 많아 접속이 원활치 않습니다.", BoxArgument::None},
}};

}  // namespace

void CZupChatMain::OnConnected() {
  if (Window.IsConnected()) return;
  Window.SetConnectStatus(true);
  // Whatever the server said before it heard the login is not for us.
  Socket.DiscardWaiting();
  KeepAlive.Connected();
  Heard();
  WaitForLoginReply();
  SendLogin();
}

void CZupChatMain::OnConnectFailed(int error) {
  bool certificate = false;
  for (const RefusedCertificate& refused : kRefusedCertificates) certificate = certificate || refused.failure == error;
  // A server that is not back yet is tried again; a certificate is never given another chance.
  if (Away && !certificate && GetBack()) return;
  std::string text(kCannotConnect);
  for (const RefusedCertificate& refused : kRefusedCertificates) {
    if (refused.failure == error) text = text::FormatText(refused.text, {Socket.Host()});
  }
  GiveUpConnecting(text);
}

void CZupChatMain::GiveUpConnecting(std::string_view text) {
  Away = LoginDelayed = false;
  // Said at once: the login watchdog is for a server that accepts and never answers.
  Window.StopLoginWatchdog();
  ShowBox(text, [this] { Window.CloseClient(); });
}

void CZupChatMain::CannotConnect() {
  Disconnect(false);
  GiveUpConnecting(kCannotConnect);
}

void CZupChatMain::OnClosed() {
  if (GetBack()) return;
  Window.SetConnectStatus(false);
  if (BoxEndsClient) return;  // the goodbye's box has said why
  ShowBox(kConnectionLost, [this] { Window.CloseClient(); });
}

void CZupChatMain::OnBrokenStream() {
  if (GetBack()) return;
  Window.SetConnectStatus(false);
  ShowBox(kBrokenStream, [this] { Window.CloseClient(); });
}

void CZupChatMain::SendLogin() {
  SendFields(wire::kUser, {Settings.UserId, Settings.SessionKey, Settings.Nick, Settings.IconNo});
}

void CZupChatMain::SendPong() { SendFields(wire::kPong, {}); }

void CZupChatMain::ProcUserReply(std::string_view /*body*/) {
  EverLoggedIn = true;
  KeepAlive.LoggedIn(Now());
  Heard();
  SayHistoryHello();
  if (Away) ReenterRooms();
  if (LoginDelayed) {  // in after all: a later drop starts the back-off over
    LoginDelayed = false;
    AlreadyOnlineRefusals = 0;
    Backoff.Reset();
  }
  EnterLaunchRoom();
  // After the launch's own room is asked for: what the window does on login
  // (launches handed over while it started) comes second.
  Window.SetLoggedIn();
}

void CZupChatMain::EnterLaunchRoom() {
  if (!Settings.AutoEnter) return;
  Settings.AutoEnter = false;
  if (Settings.RoomKey.empty() || Settings.RoomTitle.empty()) {
    Settings.RoomKey.clear();
    return;
  }
  SendChatIn(Settings.RoomKey);
  if (!Settings.PeerId.empty() && !Settings.PeerNick.empty()) {
    if (Settings.PeerId != Settings.UserId) {
      SendInvite(Settings.PeerId);
      Settings.InvitePending = true;
      Window.StartInviteTimer();
    }
    Settings.PeerId.clear();
    Settings.PeerNick.clear();
  }
  Settings.RoomKey.clear();
}

void CZupChatMain::ProcSystemMessage(std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 2);
  const long code = text::ParseLeadingInt(fields[0]);
  const std::string_view value = fields[1];
  const SystemCode* entry = nullptr;
  for (const SystemCode& candidate : kSystemCodes) {
    if (candidate.code == code) entry = &candidate;
  }
  if (!entry) return;
  if (RefusedOnTheWayBack(code)) return;

  const std::string_view argument = entry->argument == BoxArgument::Value  ? value
                                    : entry->argument == BoxArgument::Nick ? std::string_view(Settings.Nick)
                                                                           : std::string_view{};
  const auto box = [&](std::function<void()> then = {}) {
    ShowBox(text::FormatText(entry->text, {argument}), std::move(then));
  };
  const auto closeClient = [this] { Window.CloseClient(); };
  const std::string channel = ChannelName(value);

  BoxEndsClient = BoxEndsClient || entry->effect == SystemEffect::AlreadyOnline ||
                  entry->effect == SystemEffect::BoxThenClose || entry->effect == SystemEffect::BoxThenCloseOnly;
  switch (entry->effect) {
    case SystemEffect::None:
      break;
    case SystemEffect::PeerAbsentLine: {
      const std::string privateChannel = PrivateChannelName(Settings.UserId, value);
      if (Window.IsChannelOpen(privateChannel)) Window.AddInfoLine(privateChannel, entry->text, {value});
      break;
    }
    case SystemEffect::AlreadyOnline:
      Ended = true;
      Window.StopLoginWatchdog();
      if (Window.IsConnected()) Disconnect(false);
      box(closeClient);
      break;
    case SystemEffect::Box:
      // A refused key ends the session: the server closes right after.
      Ended = Ended || code == wire::system_code::kNotAllowed;
      box();
      break;
    case SystemEffect::BoxThenLeave:
      box([this, channel] { Window.RemoveChannel(channel); });
      break;
    case SystemEffect::Leave:
      Window.RemoveChannel(channel);
      break;
    case SystemEffect::BringToFront:
      if (Window.IsChannelOpen(channel)) Window.BringChannelToFront(channel);
      break;
    case SystemEffect::BoxThenClose:
      Ended = true;
      Window.StopLoginWatchdog();
      box(closeClient);
      break;
    case SystemEffect::BoxThenCloseOnly:
      Ended = true;
      box(closeClient);
      break;
  }
}

}  // namespace orvinta::protocol
