#pragma once
// The client's session with the chat server: connect, login, keep-alive,
// system messages, and the room and moderation traffic. Incoming commands are
// turned into calls on the main window; the connection itself is ChatConnection.
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/message_box.h"
#include "platform/timers.h"
#include "platform/traffic_log.h"
#include "platform/transport.h"
#include "protocol/chat_connection.h"
#include "protocol/chat_window.h"
#include "protocol/connect_policy.h"
#include "protocol/keep_alive_watch.h"
#include "protocol/launch_settings.h"
#include "protocol/reconnect_backoff.h"
#include "protocol/room_history.h"
#include "protocol/routes.h"
#include "protocol/switched_traffic_log.h"

namespace orvinta::protocol {

// The peer keeps outgoing bodies in a fixed area: fields and separators stay below 1000 bytes.
inline constexpr std::size_t kMaxOutgoingBody = 999;

struct SessionPorts {
  platform::TransportFactory& transports;
  platform::MessageBoxes& boxes;
  platform::TrafficLog* monitor = nullptr;  // the "Chat Monitor", when open
  // The session's own timers (getting back after a drop, the silence watch);
  // none: a lost connection ends the client.
  platform::Timers* timers = nullptr;
  ConnectPolicy policy = {};  // what the user's settings refuse to connect to
};

class CZupChatMain final : private ConnectionListener {
 public:
  CZupChatMain(ChatWindow& window, LaunchSettings& settings, SessionPorts ports);
  ~CZupChatMain() override;
  CZupChatMain(const CZupChatMain&) = delete;
  CZupChatMain& operator=(const CZupChatMain&) = delete;

  // Session (connect, login, keep-alive, disconnect).
  void Connect();
  void Connect(std::string_view server);
  // Sends what is still queued (briefly bounded) before the socket goes.
  void Disconnect(bool quiet);
  bool HasSocket() const { return Socket.HasSocket(); }
  const std::string& GetLoginId() const { return LoginId; }
  void SendLogin();
  void SendPong();

  // Rooms and members.
  void SendChatIn(std::string_view room);
  void SendChatOut(std::string_view room);
  void SendToAll(std::string_view room, std::string_view text);
  void SendUserInfoToAll(std::string_view room, int status);
  void SendAskUserInfo(std::string_view room);
  // The reader reached the top of a room: up to 100 older lines come to
  // ChatWindow::AddOlderLines. Nothing when the server keeps no history, a
  // request for the room is already out, or its history has ended.
  void RequestOlderLines(std::string_view channel);

  // Moderation and invitations.
  void SendInvite(std::string_view peer);
  void SendDenyInvite(std::string_view inviter);
  void SendIgnore(std::string_view room, std::string_view member);
  void SendRequestBan(std::string_view room, std::string_view target);
  void SendVoteBan(std::string_view room, std::string_view target, bool agree);

  // Receiving.
  void PreParseMessage(std::string_view data);
  void ParseMessage(std::string_view command, std::string_view body);

  void SetMonitor(platform::TrafficLog* monitor) { MonitorLog.SetTarget(monitor); }

  // Handlers, in the order of the dispatch table.
  void ProcUserReply(std::string_view body);
  void EnterLaunchRoom();  // the room the launch named, once, after the login
  void ProcChatIn(std::string_view body);
  void ProcChatOut(std::string_view body);
  void ProcToAll(std::string_view body);
  void ProcUserInfoToAll(std::string_view body);
  void ProcUserInfoToOne(std::string_view body);
  void ProcRoomInfo(std::string_view body);
  void ProcIgnore(std::string_view body);
  void ProcInvite(std::string_view body);
  void ProcDenyInvite(std::string_view body);
  void ProcRequestBan(std::string_view body);
  void ProcResultBan(std::string_view body);
  void ProcSystemMessage(std::string_view body);
  // History, for a server that offered it.
  void ProcHistoryHello(std::string_view body);
  void ProcStampedToAll(std::string_view body);
  void ProcOwnLineStamp(std::string_view body);
  void ProcHistoryLine(std::string_view body);
  void ProcHistoryEnd(std::string_view body);

 private:
  static std::span<const Route<CZupChatMain>> Routes();
  void AnswerPing(std::string_view body);

  // Getting back to the server after a drop without a goodbye.
  enum SessionTimer { kRetryTimer = 1, kSilenceTimer = 2 };
  void OnTimer(int id);
  void Heard();
  void WaitForLoginReply();
  // False when the drop ends the client instead (no login yet, or a goodbye came).
  bool GetBack();
  // Waits out the back-off, then connects again; `waiting` (Away or
  // LoginDelayed) is set, and the window told, on the first wait.
  void TryAgainLater(bool& waiting);
  void ReenterRooms();
  // A login refused while getting back or before the first login: too many
  // logins, a full server, or the old session not yet gone, waits and tries
  // again; an expired key on the way back ends the client. True when the code
  // was handled.
  bool RefusedOnTheWayBack(long code);
  // A first login tried again got no answer: it ends as the login watchdog would have ended it.
  void CannotConnect();
  std::int64_t Now() const { return Timers ? Timers->NowMs() : 0; }

  // `byUser`: the user enters the room, not the session again after a drop.
  void EnterRoom(std::string_view room, bool byUser);
  // Once per connection, after the login: the server says whether it keeps history.
  void SayHistoryHello();

  // What the connection reports.
  void OnConnected() override;
  void OnConnectFailed(int error) override;
  void OnFrame(std::string_view command, std::string_view body) override;
  void OnClosed() override;
  void OnBrokenStream() override;
  // No connection now and no attempt later: the box says why, then the client closes.
  void GiveUpConnecting(std::string_view text);

  // Joins the fields with "/" and sends one frame of that command.
  void SendFields(std::string_view command, std::initializer_list<std::string_view> fields);
  // An OK box; `then` runs once it has been answered, if this session still exists.
  void ShowBox(std::string_view text, std::function<void()> then = {});
  void ShowEntry(std::string_view channel, std::string_view nick);
  bool IsPrivateChannelWith(std::string_view channel, std::string_view memberId) const;

  ChatWindow& Window;
  LaunchSettings& Settings;
  platform::MessageBoxes& Boxes;
  SwitchedTrafficLog MonitorLog;
  ChatConnection Socket;
  std::string LoginId;
  platform::Timers* Timers;
  const ConnectPolicy Policy;
  ReconnectBackoff Backoff;
  KeepAliveWatch KeepAlive;
  RoomHistory History;
  int AlreadyOnlineRefusals = 0;  // in a row, while getting back
  bool EverLoggedIn = false;  // a drop before the first login is not retried
  bool Away = false;          // lost, and trying to get back
  bool LoginDelayed = false;  // the first login refused for the moment, and tried again
  bool Ended = false;         // the server said goodbye: its close is not a drop
  bool BoxEndsClient = false;  // and its box closes the client: the close needs no box of its own
  std::shared_ptr<bool> Alive = std::make_shared<bool>(true);  // boxes' answers outlive no session
};

}  // namespace orvinta::protocol
