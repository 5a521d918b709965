#include "client/window/prompts_and_votes.h"

#include <algorithm>

#include "protocol/guarded.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kInvitedText = "%s님이 초대했습니다.\n1:1 대화에 참여 하시려면\n참여 버튼을 누르세요";
constexpr std::string_view kRefusedLine = "<BR><B>▷ %s님이 대화 참여를 거부하였습니다 ◁</B><BR><BR>";
constexpr std::string_view kIgnoredLine = "<BR><B>▷ %s님이 메세지 수신을 거부하였습니다 ◁</B><BR><BR>";
constexpr std::string_view kVoteRunningLine = "<BR><B>▷▶ %s님의 강제 추방이 진행중입니다 ◀◁</B><BR>";
constexpr std::string_view kVoteChoiceLine = "[찬성] 또는 [반대]를 선택하세요<BR><BR>";
constexpr std::string_view kVotePromptText = "님의\n강제추방이 진행중입니다.\n찬성 또는 반대를 선택하세요.";
constexpr std::string_view kExpelledText = "강제추방 당하셨습니다\n강퇴는 과반수 이상 동의하면\n 자동으로 이루어집니다.";
constexpr std::size_t kMaxIgnored = 500;
// A vote needs the target, the requester and someone to decide.
constexpr std::size_t kMinVoteMembers = 3;

std::string Trimmed(const std::string& field) { return std::string(text::Trim(field)); }

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
      notifier_(notifier) {
  if (notifier_) notifier_->SetAnswerHandler([this](const PromptAnswer& answer) { OnAnswer(answer); });
}

PromptsAndVotes::~PromptsAndVotes() {
  // A popup that hides later must not answer into a window that is gone.
  if (notifier_) notifier_->SetAnswerHandler(nullptr);
}

void PromptsAndVotes::OnAnswer(const PromptAnswer& answer) {
  Guarded("a popup's answer", [&] {
    if (answer.kind == PromptKind::Invitation) OnInviteAnswer(answer);
    if (answer.kind == PromptKind::Vote) OnVoteAnswer(answer);
  });
}

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
  // Nobody to answer: such an invitation could be neither refused nor named.
  if (!notifier_ || text::Trim(inviterId).empty()) return;
  notifier_->ShowPrompt(PromptKind::Invitation, text::FormatText(kInvitedText, {inviterNick}),
                        {"", "", std::string(inviterId), std::string(inviterNick), std::string(channel)});
}

void PromptsAndVotes::OnInviteAnswer(const PromptAnswer& answer) {
  const std::string inviterId = Trimmed(answer.data[2]);
  if (!answer.accepted) {
    if (!inviterId.empty()) session_.SendDenyInvite(inviterId);
    return;
  }
  const std::string channelName = Trimmed(answer.data[4]);
  if (channelName.size() < 2) return;  // no room to enter
  const std::string key = channelName.substr(1);
  settings_.RoomKey = key;
  settings_.RoomTitle = PrivateRoomTitle(Trimmed(answer.data[3]));
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

bool PromptsAndVotes::StartVoteClock(std::string_view channel) {
  const auto same = [channel](const VoteDeadline& vote) { return text::EqualsIgnoreCase(vote.channel, channel); };
  // A new vote in a room replaces the deadline of its last one.
  votes_.erase(std::remove_if(votes_.begin(), votes_.end(), same), votes_.end());
  if (votes_.size() >= kMaxRunningVotes) {
    const auto closed = [this](const VoteDeadline& vote) { return channels_.FindByName(vote.channel) == nullptr; };
    votes_.erase(std::remove_if(votes_.begin(), votes_.end(), closed), votes_.end());
  }
  if (votes_.size() >= kMaxRunningVotes) return false;
  votes_.push_back({std::string(channel), timers_.NowMs() + kVoteWaitMs});
  ArmVoteTimer();
  return true;
}

void PromptsAndVotes::ArmVoteTimer() {
  if (votes_.empty()) {
    timers_.Kill(kVoteTimer);
    return;
  }
  const auto earliest = std::min_element(votes_.begin(), votes_.end(), [](const auto& a, const auto& b) {
    return a.dueMs < b.dueMs;
  });
  const std::int64_t wait = std::clamp<std::int64_t>(earliest->dueMs - timers_.NowMs(), 1, kVoteWaitMs);
  timers_.Set(kVoteTimer, static_cast<int>(wait));
}

void PromptsAndVotes::RequestExpulsion(std::string_view targetId, std::string_view targetNick) {
  Channel* current = channels_.Current();
  if (!flags_.connected || !current || current->members.size() < kMinVoteMembers || current->voteRequested != 0) {
    return;
  }
  const std::string channel = current->name;
  if (!StartVoteClock(channel)) return;
  current->voteRequested = 1;
  session_.SendRequestBan(channel, targetId);
  ShowVoteNotifier(channel, targetId, targetNick);
  transcript_.AddInfoLine(channel, kVoteRunningLine, {targetNick});
  if (targetId != settings_.UserId) transcript_.AddInfoLine(channel, kVoteChoiceLine, {});
}

void PromptsAndVotes::ShowVotePrompt(std::string_view channelName, std::string_view targetId,
                                     std::string_view targetNick) {
  Channel* channel = channels_.FindByName(channelName);
  if (!channel || channel->members.size() < kMinVoteMembers || channel->voteRequested == 1) return;
  const std::string name = channel->name;
  if (!StartVoteClock(name)) return;
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

void PromptsAndVotes::OnVoteAnswer(const PromptAnswer& answer) {
  const std::string target = Trimmed(answer.data[0]);
  const std::string channel = Trimmed(answer.data[4]);
  if (!channels_.FindMember(channel, target)) return;  // the member has left the room
  session_.SendVoteBan(channel, target, answer.accepted);
}

void PromptsAndVotes::OnVoteTimer() {
  const std::int64_t now = timers_.NowMs();
  std::deque<VoteDeadline> due;
  for (auto it = votes_.begin(); it != votes_.end();) {
    if (it->dueMs <= now) {
      due.push_back(std::move(*it));
      it = votes_.erase(it);
    } else {
      ++it;
    }
  }
  ArmVoteTimer();
  for (const auto& vote : due) {
    if (Channel* channel = channels_.FindByName(vote.channel)) {
      channel->voteRequested = 0;
      channel->voteActive = 0;
    }
  }
}

void PromptsAndVotes::ShowExpelledNotice() {
  if (notifier_) notifier_->ShowNotice(std::string(kExpelledText));
}

}  // namespace orvinta::window
