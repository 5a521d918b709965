#include "client/window/prompts_and_votes.h"

#include <algorithm>
#include <vector>

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
// A vote needs the target, the requester and someone to decide.
constexpr std::size_t kMinVoteMembers = 3;

// "TRUE|a|b|c|d|e" from the notifier: six trimmed fields.
std::vector<std::string> AnswerFields(std::string_view payload) {
  auto parts = text::Split(payload, '|');
  parts.resize(6);
  std::vector<std::string> fields;
  for (auto part : parts) fields.emplace_back(text::Trim(part));
  return fields;
}

}  // namespace

PromptsAndVotes::PromptsAndVotes(ChannelList& channels, ChannelTabs& tabs, TranscriptPresenter& transcript,
                                 const WindowFlags& flags, LaunchSettings& settings, protocol::CZupChatMain& session,
                                 TimerBlock& timers, PromptNotifier* notifier)
    : channels_(channels),
      tabs_(tabs),
      transcript_(transcript),
      flags_(flags),
      settings_(settings),
      session_(session),
      timers_(timers),
      notifier_(notifier) {}

void PromptsAndVotes::AddIgnore(std::string_view channelName, std::string_view id) {
  Channel* channel = channels_.FindByName(channelName);
  if (!channel || channel->ignored.size() >= kMaxIgnored || channel->Ignores(id)) return;
  channel->ignored.emplace_back(id);
}

void PromptsAndVotes::RemoveIgnore(std::string_view channelName, std::string_view id) {
  Channel* channel = channels_.FindByName(channelName);
  if (!channel) return;
  const auto it = std::find(channel->ignored.begin(), channel->ignored.end(), id);
  if (it != channel->ignored.end()) channel->ignored.erase(it);
}

bool PromptsAndVotes::IsIgnored(std::string_view channelName, std::string_view id) const {
  const Channel* channel = channels_.FindByName(channelName);
  return channel && channel->Ignores(id);
}

void PromptsAndVotes::ShowInvitation(std::string_view channel, std::string_view inviterId,
                                     std::string_view inviterNick) {
  if (!notifier_) return;
  notifier_->ShowPrompt(PromptKind::Invitation, text::FormatText(kInvitedText, {inviterNick}),
                        {"", "", std::string(inviterId), std::string(inviterNick), std::string(channel)});
}

void PromptsAndVotes::OnInviteAnswer(std::string_view payload) {
  if (payload.empty()) return;
  const auto f = AnswerFields(payload);
  if (!text::EqualsIgnoreCase(f[0], "TRUE")) {
    session_.SendDenyInvite(f[3]);
    return;
  }
  const std::string& channelName = f[5];
  if (channelName.size() < 2) return;  // no room to enter
  const std::string key = channelName.substr(1);
  settings_.RoomKey = key;
  settings_.RoomTitle = f[4] + std::string(kPrivateRoomTitle);
  if (const Channel* open = channels_.FindByName(channelName)) tabs_.SelectAndSwitch(channels_.TabIndexOf(open));
  session_.SendChatIn(key);
}

void PromptsAndVotes::ShowInviteRefused(std::string_view channel, std::string_view nick) {
  if (channels_.FindByName(channel)) transcript_.AddInfoLine(channel, kRefusedLine, {nick});
  StopInviteTimer();
}

void PromptsAndVotes::StartInviteTimer() { timers_.Set(kInviteTimer, kInviteWaitMs); }

void PromptsAndVotes::StopInviteTimer() {
  timers_.Kill(kInviteTimer);
  settings_.InvitePending = false;
}

void PromptsAndVotes::ShowIgnoreNotice(std::string_view channel, std::string_view memberId, std::string_view nick) {
  if (channels_.FindByName(channel) && !IsIgnored(channel, memberId)) {
    transcript_.AddInfoLine(channel, kIgnoredLine, {nick});
  }
}

void PromptsAndVotes::SetBanVoteRunning(std::string_view channel, bool running) {
  if (Channel* open = channels_.FindByName(channel)) open->voteRequested = running ? 1 : 0;
}

void PromptsAndVotes::ShowVoteNotifier(std::string_view channel, std::string_view targetId,
                                       std::string_view targetNick) {
  if (!notifier_) return;
  notifier_->ShowPrompt(PromptKind::Vote, std::string(targetNick) + std::string(kVotePromptText),
                        {std::string(targetId), std::string(targetNick), settings_.UserId, settings_.Nick,
                         std::string(channel)});
}

void PromptsAndVotes::RequestExpulsion(std::string_view targetId, std::string_view targetNick) {
  Channel* current = channels_.Current();
  if (!flags_.connected || !current || current->members.size() < kMinVoteMembers || current->voteRequested != 0) {
    return;
  }
  const std::string channel = current->name;
  current->voteRequested = 1;
  if (voteQueue_.size() < kMaxQueuedVotes) voteQueue_.push_back(channel);
  session_.SendRequestBan(channel, targetId);
  ShowVoteNotifier(channel, targetId, targetNick);
  timers_.Set(kVoteTimer, kVoteWaitMs);
  transcript_.AddInfoLine(channel, kVoteRunningLine, {targetNick});
  if (targetId != settings_.UserId) transcript_.AddInfoLine(channel, kVoteChoiceLine, {});
}

void PromptsAndVotes::ShowVotePrompt(std::string_view channelName, std::string_view targetId,
                                     std::string_view targetNick) {
  Channel* channel = channels_.FindByName(channelName);
  if (!channel || channel->members.size() < kMinVoteMembers || channel->voteRequested == 1) return;
  const std::string name = channel->name;
  if (voteQueue_.size() < kMaxQueuedVotes) voteQueue_.push_back(name);
  timers_.Set(kVoteTimer, kVoteWaitMs);
  channel->voteRequested = 1;
  transcript_.AddInfoLine(name, kVoteRunningLine, {targetNick});
  if (targetId == settings_.UserId) {
    channel->voteTarget = std::string(targetId);
    channel->voteCounters = {0, 0};
    channel->voteActive = 1;
    transcript_.AddInfoLineHtml(name, "<BR>");
    return;
  }
  ShowVoteNotifier(name, targetId, targetNick);
  transcript_.AddInfoLine(name, kVoteChoiceLine, {});
}

void PromptsAndVotes::OnVoteAnswer(std::string_view payload) {
  if (payload.empty()) return;
  const auto f = AnswerFields(payload);
  if (!channels_.FindMember(f[5], f[1])) return;  // the member has left the room
  session_.SendVoteBan(f[5], f[1], text::EqualsIgnoreCase(f[0], "TRUE"));
}

void PromptsAndVotes::OnVoteTimer() {
  timers_.Kill(kVoteTimer);
  if (voteQueue_.empty()) return;
  const std::string name = voteQueue_.front();
  voteQueue_.pop_front();
  if (Channel* channel = channels_.FindByName(name)) {
    channel->voteRequested = 0;
    channel->voteActive = 0;
  }
}

void PromptsAndVotes::ShowExpelledNotice() {
  if (notifier_) notifier_->ShowNotice(std::string(kExpelledText));
}

}  // namespace orvinta::window
