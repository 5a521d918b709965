// Entering and leaving rooms, chat lines, statuses and member details.
#include "protocol/room_key.h"
#include "protocol/wire_commands.h"
#include "text/text_util.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::protocol {
namespace {

constexpr std::string_view kEntryLine = "<BR><B>☆☆ %s님이 입장하셨습니다 ☆☆</B><BR><BR>";

}  // namespace

void CZupChatMain::ShowEntry(std::string_view channel, std::string_view nick) {
  Window.AddInfoLine(channel, kEntryLine, {nick});
  Window.PlayEntrySound();
}

bool CZupChatMain::IsPrivateChannelWith(std::string_view channel, std::string_view memberId) const {
  return text::EqualsIgnoreCase(channel, PrivateChannelName(Settings.UserId, memberId));
}

void CZupChatMain::SendChatIn(std::string_view room) { EnterRoom(room, true); }

void CZupChatMain::EnterRoom(std::string_view room, bool byUser) {
  const std::string key(StripChannelMark(room));
  SendFields(wire::kChatIn, {Settings.UserId, key});
  // The entry shows at once, without waiting for the server.
  const std::string channel = ChannelName(key);
  // A room already open keeps what it shows; one entered again after a drop catches up instead.
  if (byUser && !Window.IsChannelOpen(channel)) History.Entered(channel);
  Window.EnterChannel(channel);
  ShowEntry(channel, Settings.Nick);
  Window.NewNick(channel, LoginId, 0);
  Window.SetMemberDetails(channel, LoginId, Settings.Nick, Settings.IconNo, "0");
}

void CZupChatMain::SendChatOut(std::string_view room) {
  const std::string key(StripChannelMark(room));
  SendFields(wire::kChatOut, {LoginId, key});
  History.Left(key);
  Window.RemoveChannel(ChannelName(key));
}

void CZupChatMain::SendToAll(std::string_view room, std::string_view text) {
  SendFields(wire::kToAll, {LoginId, StripChannelMark(room), text});
}

void CZupChatMain::SendUserInfoToAll(std::string_view room, int status) {
  SendFields(wire::kUserInfoToAll, {Settings.UserId, StripChannelMark(room), std::to_string(status)});
}

void CZupChatMain::SendAskUserInfo(std::string_view room) {
  SendFields(wire::kAskUserInfo, {Settings.UserId, StripChannelMark(room)});
}

void CZupChatMain::ProcChatIn(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 4);
  const std::string_view id = f[0], nick = f[2], icon = f[3];
  const std::string channel = ChannelName(f[1]);
  Window.NewNick(channel, id, 0);
  Window.SetMemberDetails(channel, id, nick, icon, "0");
  ShowEntry(channel, nick);
  if (IsPrivateChannelWith(channel, id)) Window.StopInviteTimer();
}

void CZupChatMain::ProcChatOut(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 2);
  const std::string channel = ChannelName(f[1]);
  if (f[0] != Settings.UserId) {
    Window.RemoveNick(channel, f[0]);
  } else {
    History.Left(channel);
    Window.RemoveChannel(channel);
  }
}

void CZupChatMain::ProcToAll(std::string_view body) {
  History.NotOffered();  // a line in place of the offer: this server keeps no history
  const auto f = text::SplitFields(body, '/', 3);
  Window.AddMessage(ChannelName(f[1]), f[0], f[2]);
}

void CZupChatMain::ProcUserInfoToAll(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 3);
  Window.SetMemberStatus(ChannelName(f[1]), f[0], f[2]);
}

void CZupChatMain::ProcUserInfoToOne(std::string_view body) {
  History.NotOffered();  // an answer to what was asked after "HIST", and none to it
  const auto f = text::SplitFields(body, '/', 5);
  const std::string_view id = f[0], nick = f[2], icon = f[3], status = f[4];
  const std::string channel = ChannelName(f[1]);
  if (!Window.IsChannelOpen(channel)) {
    // An answer about a room the user is not in: the waiting room lists it.
    std::string entry = "0|0|";
    entry.append(nick).append("|").append(icon);
    Window.AddRoomDetailEntry(entry);
    return;
  }
  if (!Window.FindNickByName(channel, id)) Window.NewNick(channel, id, 0);
  Window.SetMemberDetails(channel, id, nick, icon, std::to_string(text::ParseLeadingInt(status)));
  if (IsPrivateChannelWith(channel, id)) Window.StopInviteTimer();
}

void CZupChatMain::ProcRoomInfo(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 2);
  const std::string channel = ChannelName(f[0]);
  if (f[1] == "T" && Window.IsChannelOpen(channel)) Window.SetBanVoteRunning(channel, true);
}

}  // namespace orvinta::protocol
