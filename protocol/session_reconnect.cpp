// Staying connected: a connection that ends without a goodbye, or goes quiet
// for longer than the server's keep-alive allows, is made again; back, the
// session logs in with the same key and enters the open rooms again.
#include "protocol/wire_commands.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::protocol {
namespace {

// The server pings every 30 s: two missed pings and a margin mean a dead network.
constexpr int kSilenceMs = 75000;
constexpr std::string_view kKeyExpired =
    "로그인 정보가 만료되어 다시 접속할 수 없습니다.\n\n포털에서 채팅을 다시 시작해주세요.";

}  // namespace

void CZupChatMain::Heard() {
  if (Timers && Socket.HasSocket()) Timers->Set(kSilenceTimer, kSilenceMs);
}

void CZupChatMain::OnTimer(int id) {
  Timers->Kill(id);
  if (id == kRetryTimer) {
    if (Away) Connect();
    return;
  }
  // A silent first login is the login watchdog's to judge.
  if (id != kSilenceTimer || !EverLoggedIn || !Socket.HasSocket()) return;
  Socket.Close();
  OnClosed();
}

bool CZupChatMain::GetBack() {
  if (!Timers || !EverLoggedIn || Ended) return false;
  Timers->Kill(kSilenceTimer);
  Window.SetConnectStatus(false);
  if (!Away) {
    Away = true;
    Window.StopLoginWatchdog();
    Window.ConnectionAway();
  }
  Timers->Set(kRetryTimer, Backoff.NextDelayMs());
  return true;
}

void CZupChatMain::ReenterRooms() {
  Away = false;
  Backoff.Reset();
  Window.ConnectionBack();
  for (const std::string& room : Window.OpenRooms()) {
    SendChatIn(room);
    SendAskUserInfo(room);
    // Others would see the user online again: tell them the status in force.
    if (const int status = Window.OwnStatusIn(room); status > 0) SendUserInfoToAll(room, status);
  }
}

bool CZupChatMain::RefusedOnTheWayBack(long code) {
  if (!Away) return false;
  if (code == wire::system_code::kRefused) {
    // Too many logins at once (everybody dropped together comes back together),
    // or the server full for the moment: the next attempt waits longer.
    Socket.Close();
    GetBack();
    return true;
  }
  // The portal's key has expired meanwhile: only a new start from the portal helps.
  if (code != wire::system_code::kNotAllowed) return false;
  Ended = true;
  Disconnect(false);
  ShowBox(kKeyExpired, [this] { Window.CloseClient(); });
  return true;
}

}  // namespace orvinta::protocol
