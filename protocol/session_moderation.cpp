// Invitations, refusals, ignoring, and expulsion votes.
#include "protocol/room_key.h"
#include "protocol/wire_commands.h"
#include "text/text_util.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::protocol {

void CZupChatMain::SendInvite(std::string_view peer) {
  SendFields(wire::kInvite, {Settings.UserId, peer, PrivateRoomKey(Settings.UserId, peer), Settings.Nick});
}

void CZupChatMain::SendDenyInvite(std::string_view inviter) {
  SendFields(wire::kDenyInvite, {Settings.UserId, inviter, Settings.Nick});
}

void CZupChatMain::SendIgnore(std::string_view room, std::string_view member) {
  SendFields(wire::kIgnore, {Settings.UserId, StripChannelMark(room), member, Settings.Nick});
}

void CZupChatMain::SendRequestBan(std::string_view room, std::string_view target) {
  SendFields(wire::kRequestBan, {Settings.UserId, StripChannelMark(room), target});
}

void CZupChatMain::SendVoteBan(std::string_view room, std::string_view target, bool agree) {
  SendFields(wire::kVoteBan, {Settings.UserId, StripChannelMark(room), target, agree ? "T" : "F"});
}

void CZupChatMain::ProcInvite(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 4);
  Window.ShowInvitation(PrivateChannelName(Settings.UserId, f[0]), f[0], f[3]);
}

void CZupChatMain::ProcDenyInvite(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 3);
  Window.ShowInviteRefused(PrivateChannelName(Settings.UserId, f[0]), f[0], f[2]);
}

void CZupChatMain::ProcIgnore(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 4);
  Window.ShowIgnoreNotice(ChannelName(f[1]), f[0], f[3]);
}

void CZupChatMain::ProcRequestBan(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 3);
  const std::string channel = ChannelName(f[1]);
  const std::string requesterNick = Window.FindNickByName(channel, f[0]).value_or(std::string(f[0]));
  const std::string targetNick = Window.FindNickByName(channel, f[2]).value_or(std::string(f[2]));
  Window.ShowVotePrompt(channel, f[2], targetNick, requesterNick);
}

void CZupChatMain::ProcResultBan(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 4);
  const std::string_view target = f[1], votesFor = f[2], votesAgainst = f[3];
  const std::string channel = ChannelName(f[0]);
  const std::string shownName = Window.FindNickByName(channel, target).value_or(std::string(target));
  if (Window.IsChannelOpen(channel)) Window.SetBanVoteRunning(channel, false);
  const auto half = static_cast<long>(Window.MemberCount(channel) / 2);
  if (target == Settings.UserId && text::ParseLeadingInt(votesFor) > half) {
    Window.ShowExpelledNotice();
    return;
  }
  Window.AddInfoLine(channel, "<BR><B>▷▶ %s님 강제 추방 투표 결과입니다 ◀◁</B><BR>", {shownName});
  Window.AddInfoLine(channel, "[찬성] : %s 명 &nbsp;&nbsp;&nbsp; [반대] : %s 명<BR><BR>", {votesFor, votesAgainst});
}

}  // namespace orvinta::protocol
