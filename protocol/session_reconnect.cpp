// Staying connected: a connection that ends without a goodbye, or goes quiet
// for longer than the server's keep-alive allows, is made again; back, the
// session logs in with the same key and enters the open rooms again.
#include "protocol/wire_commands.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::protocol {
namespace {

// Getting back, a server that takes the connection but does not answer the
// login in this time (a node paused, a login contest takes 5 s) is left for
// the next attempt, which starts with another of its addresses.
constexpr int kLoginReplyMs = 10000;
// The old session may take a while to be let go (its node restarting): system
// message 2 is taken as final only when every one of these attempts got it.
constexpr int kAlreadyOnlineAttempts = 6;
constexpr std::string_view kKeyExpired =
    "로그인 정보가 만료되어 다시 접속할 수 없습니다.\n\n포털에서 채팅을 다시 시작해주세요.";

}  // namespace

void CZupChatMain::Heard() {
  KeepAlive.Heard(Now());
  if (Timers && Socket.HasSocket()) Timers->Set(kSilenceTimer, static_cast<int>(KeepAlive.SilenceLimitMs()));
}

void CZupChatMain::WaitForLoginReply() {
  if (Timers && (Away || LoginDelayed)) Timers->Set(kSilenceTimer, kLoginReplyMs);
}

void CZupChatMain::OnTimer(int id) {
  Timers->Kill(id);
  if (id == kRetryTimer) {
    if (Away || LoginDelayed) Connect();
    return;
  }
  if (id != kSilenceTimer || !Socket.HasSocket()) return;
  // A silent first attempt is the login watchdog's to judge; the watchdog
  // stopped once the attempts were being retried.
  if (!EverLoggedIn) {
    if (LoginDelayed) CannotConnect();
    return;
  }
  KeepAlive.WentSilent();
  Socket.Close();
  OnClosed();
}

bool CZupChatMain::GetBack() {
  if (!Timers || !EverLoggedIn || Ended) return false;
  TryAgainLater(Away);
  return true;
}

void CZupChatMain::TryAgainLater(bool& waiting) {
  Timers->Kill(kSilenceTimer);
  Window.SetConnectStatus(false);
  if (!waiting) {
    waiting = true;
    // The session watches its own attempts: the watchdog would end the client meanwhile.
    Window.StopLoginWatchdog();
    const std::int64_t now = Now();
    if (EverLoggedIn) Window.ConnectionAway(now - KeepAlive.SilentSince(now));
    else Window.LoginDelayed();
  }
  Timers->Set(kRetryTimer, Backoff.NextDelayMs());
}

void CZupChatMain::ReenterRooms() {
  Away = false;
  AlreadyOnlineRefusals = 0;
  Backoff.Reset();
  Window.ConnectionBack();
  for (const std::string& room : Window.OpenRooms()) {
    EnterRoom(room, false);
    SendAskUserInfo(room);
    // Others would see the user online again: tell them the status in force.
    if (const int status = Window.OwnStatusIn(room); status > 0) SendUserInfoToAll(room, status);
    History.BackIn(room);  // at once, or once its missed lines are shown
  }
}

bool CZupChatMain::RefusedOnTheWayBack(long code) {
  // The first login is retried the same way (a full server, a previous run's
  // session still held); without timers nothing is ever tried again.
  const bool firstLogin = !EverLoggedIn && Timers && !Ended;
  if (!Away && !firstLogin) return false;
  // Too many logins at once (everybody dropped together comes back together),
  // the server full for the moment, or the old session not yet let go: the
  // next attempt waits longer.
  const bool again = code == wire::system_code::kRefused ||
                     (code == wire::system_code::kAlreadyConnected && ++AlreadyOnlineRefusals < kAlreadyOnlineAttempts);
  if (again) {
    Socket.Close();
    TryAgainLater(EverLoggedIn ? Away : LoginDelayed);
    return true;
  }
  // The portal's key has expired meanwhile: only a new start from the portal helps.
  if (!Away || code != wire::system_code::kNotAllowed) return false;
  Ended = true;
  Disconnect(false);
  ShowBox(kKeyExpired, [this] { Window.CloseClient(); });
  return true;
}

}  // namespace orvinta::protocol
