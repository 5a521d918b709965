// Invitations, expulsion votes, refusal notices and the ignore lists.
#include <algorithm>
#include <vector>

#include "client/window/orvinta_dlg.h"
#include "protocol/guarded.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kInvitedText = "%s님이 초대했습니다.\n1:1 대화에 참여 하시려면\n참여 버튼을 누르세요";
constexpr std::string_view kPrivateRoomTitle = "님과의 1:1 대화방입니다";
constexpr std::string_view kRefusedLine = "<BR><B>▷ %s님이 대화 참여를 거부하였습니다 ◁</B><BR><BR>";
constexpr std::string_view kIgnoredLine = "<BR><B>▷ %s님이 메세지 수신을 거부하였습니다 ◁</B><BR><BR>";
constexpr std::string_view kVoteRunningLine = "<BR><B>▷▶ %s님의 강제 추방이 진행중입니다 ◀◁</B><BR>";
constexpr std::string_view kVoteChoiceLine = "[찬성] 또는 [반대]를 선택하세요<BR><BR>";
constexpr std::string_view kVotePromptText = "님의\n강제추방이 진행중입니다.\n찬성 또는 반대를 선택하세요.";
constexpr std::string_view kExpelledText = "강제추방 당하셨습니다\n강퇴는 과반수 이상 동의하면\n 자동으로 이루어집니다.";
constexpr std::size_t kMaxIgnored = 500;
constexpr std::size_t kMaxQueuedVotes = 100;

// "TRUE|a|b|c|d|e" from the notifier: six trimmed fields.
std::vector<std::string> AnswerFields(std::string_view payload) {
  auto parts = text::Split(payload, '|');
  parts.resize(6);
  std::vector<std::string> fields;
  for (auto part : parts) fields.emplace_back(text::Trim(part));
  return fields;
}

}  // namespace

void COrvintaDlg::AddIgnore(std::string_view channelName, std::string_view id) {
  Guarded([&] {
    Channel* channel = FindChannelByName(channelName);
    if (!channel || channel->ignored.size() >= kMaxIgnored) return;
    if (std::find(channel->ignored.begin(), channel->ignored.end(), id) == channel->ignored.end()) {
      channel->ignored.emplace_back(id);
    }
  });
}

void COrvintaDlg::RemoveIgnore(std::string_view channelName, std::string_view id) {
  Guarded([&] {
    Channel* channel = FindChannelByName(channelName);
    if (!channel) return;
    const auto it = std::find(channel->ignored.begin(), channel->ignored.end(), id);
    if (it != channel->ignored.end()) channel->ignored.erase(it);
  });
}

bool COrvintaDlg::IsIgnored(std::string_view channelName, std::string_view id) {
  const Channel* channel = FindChannelByName(channelName);
  return channel && std::find(channel->ignored.begin(), channel->ignored.end(), id) != channel->ignored.end();
}

void COrvintaDlg::ShowInvitation(std::string_view channel, std::string_view inviterId, std::string_view inviterNick) {
  Guarded([&] {
    if (!ports_.notifier) return;
    ports_.notifier->ShowPrompt(PromptKind::Invitation, text::FormatText(kInvitedText, {inviterNick}),
                                {"", "", std::string(inviterId), std::string(inviterNick), std::string(channel)});
  });
}

void COrvintaDlg::OnInviteAnswer(std::string_view payload) {
  if (payload.empty()) return;
  const auto f = AnswerFields(payload);
  if (!text::EqualsIgnoreCase(f[0], "TRUE")) {
    session_->SendDenyInvite(f[3]);
    return;
  }
  const std::string& channelName = f[5];
  if (channelName.size() < 2) return;  // no room to enter
  const std::string key = channelName.substr(1);
  settings_.RoomKey = key;
  settings_.RoomTitle = f[4] + std::string(kPrivateRoomTitle);
  if (const Channel* open = FindChannelByName(channelName)) SelectAndSwitch(TabIndexOf(open));
  session_->SendChatIn(key);
}

void COrvintaDlg::ShowInviteRefused(std::string_view channel, std::string_view /*memberId*/, std::string_view nick) {
  Guarded([&] {
    if (IsChannelOpen(channel)) AddInfoLine(channel, kRefusedLine, {nick});
    StopInviteTimer();
  });
}

void COrvintaDlg::ShowIgnoreNotice(std::string_view channel, std::string_view memberId, std::string_view nick) {
  Guarded([&] {
    if (IsChannelOpen(channel) && !IsIgnored(channel, memberId)) AddInfoLine(channel, kIgnoredLine, {nick});
  });
}

void COrvintaDlg::SetBanVoteRunning(std::string_view channel, bool running) {
  Guarded([&] {
    if (Channel* open = FindChannelByName(channel)) open->voteRequested = running ? 1 : 0;
  });
}

void COrvintaDlg::ShowVoteNotifier(std::string_view channel, std::string_view targetId, std::string_view targetNick) {
  if (!ports_.notifier) return;
  ports_.notifier->ShowPrompt(PromptKind::Vote, std::string(targetNick) + std::string(kVotePromptText),
                              {std::string(targetId), std::string(targetNick), settings_.UserId, settings_.Nick,
                               std::string(channel)});
}

void COrvintaDlg::RequestExpulsion(std::string_view targetId, std::string_view targetNick) {
  Guarded([&] {
    if (!connected_ || !current_ || current_->members.size() < 3 || current_->voteRequested != 0) return;
    const std::string channel = current_->name;
    current_->voteRequested = 1;
    if (voteQueue_.size() < kMaxQueuedVotes) voteQueue_.push_back(channel);
    session_->SendRequestBan(channel, targetId);
    ShowVoteNotifier(channel, targetId, targetNick);
    timers_->Set(kVoteTimer, kVoteWaitMs);
    AddInfoLine(channel, kVoteRunningLine, {targetNick});
    if (targetId != settings_.UserId) AddInfoLine(channel, kVoteChoiceLine, {});
  });
}

void COrvintaDlg::ShowVotePrompt(std::string_view channelName, std::string_view targetId,
                                 std::string_view targetNick, std::string_view /*requesterNick*/) {
  Guarded([&] {
    Channel* channel = FindChannelByName(channelName);
    if (!channel || channel->members.size() < 3 || channel->voteRequested == 1) return;
    const std::string name = channel->name;
    if (voteQueue_.size() < kMaxQueuedVotes) voteQueue_.push_back(name);
    timers_->Set(kVoteTimer, kVoteWaitMs);
    channel->voteRequested = 1;
    AddInfoLine(name, kVoteRunningLine, {targetNick});
    if (targetId == settings_.UserId) {
      channel->voteTarget = std::string(targetId);
      channel->voteCounters = {0, 0};
      channel->voteActive = 1;
      AddInfoLineHtml(name, "<BR>");
      return;
    }
    ShowVoteNotifier(name, targetId, targetNick);
    AddInfoLine(name, kVoteChoiceLine, {});
  });
}

void COrvintaDlg::OnVoteAnswer(std::string_view payload) {
  if (payload.empty()) return;
  const auto f = AnswerFields(payload);
  if (!FindMember(f[5], f[1])) return;  // the member has left the room
  session_->SendVoteBan(f[5], f[1], text::EqualsIgnoreCase(f[0], "TRUE"));
}

void COrvintaDlg::OnVoteTimer() {
  timers_->Kill(kVoteTimer);
  if (voteQueue_.empty()) return;
  const std::string name = voteQueue_.front();
  voteQueue_.pop_front();
  if (Channel* channel = FindChannelByName(name)) {
    channel->voteRequested = 0;
    channel->voteActive = 0;
  }
}

void COrvintaDlg::ShowExpelledNotice() {
  Guarded([&] {
    if (ports_.notifier) ports_.notifier->ShowNotice(std::string(kExpelledText));
  });
}

}  // namespace orvinta::window
