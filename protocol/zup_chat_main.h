#pragma once
// The client's session with the chat server: connect, login, keep-alive,
// system messages, and the room and moderation traffic. Incoming commands are
// turned into calls on the main window.
#include <memory>
#include <string>
#include <string_view>

#include "platform/message_box.h"
#include "platform/traffic_log.h"
#include "platform/transport.h"
#include "protocol/chat_socket.h"
#include "protocol/chat_window.h"
#include "protocol/frame_reader.h"
#include "protocol/launch_settings.h"
#include "protocol/server_address.h"

namespace orvinta::protocol {

// The peer keeps outgoing bodies in a fixed area: fields and separators stay below 1000 bytes.
inline constexpr std::size_t kMaxOutgoingBody = 999;

struct SessionPorts {
  platform::TransportFactory& transports;
  platform::MessageBoxes& boxes;
  platform::TrafficLog* monitor = nullptr;  // the "Chat Monitor", when open
};

class CZupChatMain {
 public:
  CZupChatMain(ChatWindow& window, LaunchSettings& settings, SessionPorts ports);
  ~CZupChatMain();
  CZupChatMain(const CZupChatMain&) = delete;
  CZupChatMain& operator=(const CZupChatMain&) = delete;

  // Session (connect, login, keep-alive, disconnect).
  void Connect();
  void Connect(std::string_view server);
  void Disconnect(bool quiet);
  bool HasSocket() const { return Socket != nullptr; }
  const std::string& GetLoginId() const { return LoginId; }
  void SendLogin();
  void SendPong();

  // Rooms and members.
  void SendChatIn(std::string_view room);
  void SendChatOut(std::string_view room);
  void SendToAll(std::string_view room, std::string_view text);
  void SendUserInfoToAll(std::string_view room, int status);
  void SendAskUserInfo(std::string_view room);

  // Moderation and invitations.
  void SendInvite(std::string_view peer);
  void SendDenyInvite(std::string_view inviter);
  void SendIgnore(std::string_view room, std::string_view member);
  void SendRequestBan(std::string_view room, std::string_view target);
  void SendVoteBan(std::string_view room, std::string_view target, bool agree);

  // Receiving.
  void PreParseMessage(std::string_view data);
  void ParseMessage(std::string_view command, std::string_view body);

  // Socket notifications (from CChatSocket).
  void OnConnected(int error);
  void OnSocketClosed();
  void LogSent(std::string_view frame);

  void SetMonitor(platform::TrafficLog* monitor) { ports_.monitor = monitor; }

  // Handlers, in the order of the dispatch table.
  void ProcUserReply(std::string_view body);
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

 private:
  // Joins the fields with "/" and sends one frame of that command.
  void SendFields(std::string_view command, std::initializer_list<std::string_view> fields);
  void ShowBox(const std::string& text);
  void ShowEntry(std::string_view channel, std::string_view nick);
  bool IsPrivateChannelWith(std::string_view channel, std::string_view memberId) const;

  ChatWindow& window_;
  LaunchSettings& settings_;
  SessionPorts ports_;

  std::unique_ptr<CChatSocket> Socket;
  // A socket closed from inside one of its own notifications is kept until
  // the next connect, so that the notification can return through it.
  std::unique_ptr<CChatSocket> retiredSocket_;
  FrameReader RecvBuffer;
  std::string LoginId;
};

}  // namespace orvinta::protocol
