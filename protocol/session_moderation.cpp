// Invitations, refusals, ignoring, and expulsion votes.
#include "protocol/room_key.h"
#include "text/text_util.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::protocol {

void CZupChatMain::SendInvite(std::string_view peer) {
  SendFields("INVT", {settings_.UserId, peer, PrivateRoomKey(settings_.UserId, peer), settings_.Nick});
}

void CZupChatMain::SendDenyInvite(std::string_view inviter) {
  SendFields("DNIV", {settings_.UserId, inviter, settings_.Nick});
}

void CZupChatMain::SendIgnore(std::string_view room, std::string_view member) {
  SendFields("IGNR", {settings_.UserId, StripChannelMark(room), member, settings_.Nick});
}

void CZupChatMain::SendRequestBan(std::string_view room, std::string_view target) {
  SendFields("RQBN", {settings_.UserId, StripChannelMark(room), target});
}

void CZupChatMain::SendVoteBan(std::string_view room, std::string_view target, bool agree) {
  SendFields("VTBN", {settings_.UserId, StripChannelMark(room), target, agree ? "T" : "F"});
}

void CZupChatMain::ProcInvite(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 4);
  window_.ShowInvitation(PrivateChannelName(settings_.UserId, f[0]), f[0], f[3]);
}

void CZupChatMain::ProcDenyInvite(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 3);
  window_.ShowInviteRefused(PrivateChannelName(settings_.UserId, f[0]), f[0], f[2]);
}

void CZupChatMain::ProcIgnore(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 4);
  window_.ShowIgnoreNotice(ChannelName(f[1]), f[0], f[3]);
}

void CZupChatMain::ProcRequestBan(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 3);
  const std::string channel = ChannelName(f[1]);
  const std::string requesterNick = window_.FindNickByName(channel, f[0]).value_or(std::string(f[0]));
  const std::string targetNick = window_.FindNickByName(channel, f[2]).value_or(std::string(f[2]));
  window_.ShowVotePrompt(channel, f[2], targetNick, requesterNick);
}

void CZupChatMain::ProcResultBan(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 4);
  const std::string_view target = f[1], votesFor = f[2], votesAgainst = f[3];
  const std::string channel = ChannelName(f[0]);
  const std::string shownName = window_.FindNickByName(channel, target).value_or(std::string(target));
  if (window_.IsChannelOpen(channel)) window_.SetBanVoteRunning(channel, false);
  const auto half = static_cast<long>(window_.MemberCount(channel) / 2);
  if (target == settings_.UserId && text::ParseLeadingInt(votesFor) > half) {
    window_.ShowExpelledNotice();
    return;
  }
  window_.AddInfoLine(channel, "<BR><B>▷▶ %s님 강제 추방 투표 결과입니다 ◀◁</B><BR>", {shownName});
  window_.AddInfoLine(channel, "[찬성] : %s 명 &nbsp;&nbsp;&nbsp; [반대] : %s 명<BR><BR>", {votesFor, votesAgainst});
}

}  // namespace orvinta::protocol
