#pragma once
// Invitations to 1:1 rooms, expulsion votes, refusal notices and the ignore
// lists of the rooms. Prompts go to the popups, whose answers come back
// in-process as a structure (never as a "|"-joined text).
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "client/window/channel_list.h"
#include "client/window/channel_tabs.h"
#include "client/window/prompt_notifier.h"
#include "client/window/timer_router.h"
#include "client/window/transcript_presenter.h"
#include "client/window/window_flags.h"
#include "protocol/launch_settings.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::window {

class PromptsAndVotes {
 public:
  // The window's timers this role runs.
  enum Timer { kVoteTimer = 1, kInviteTimer = 4 };
  static constexpr int kInviteWaitMs = 15000;
  static constexpr int kVoteWaitMs = 15000;
  // Rooms with a running vote; beyond this no further vote starts.
  static constexpr std::size_t kMaxRunningVotes = 64;

  // Takes the notifier's answers until it is destroyed.
  PromptsAndVotes(ChannelList& channels, ChannelTabs& tabs, TranscriptPresenter& transcript,
                  const WindowFlags& flags, LaunchSettings& settings, protocol::CZupChatMain& session,
                  TimerBlock& timers, PromptNotifier* notifier);
  ~PromptsAndVotes();
  PromptsAndVotes(const PromptsAndVotes&) = delete;
  PromptsAndVotes& operator=(const PromptsAndVotes&) = delete;

  // Ignore list of a channel (member ids, compared exactly).
  void AddIgnore(std::string_view channelName, std::string_view id);
  void RemoveIgnore(std::string_view channelName, std::string_view id);
  bool IsIgnored(std::string_view channelName, std::string_view id) const;

  // Invitations. The data of an invitation prompt: two pass-through strings
  // (kept empty), the inviter's id, the inviter's nick, the 1:1 channel.
  void ShowInvitation(std::string_view channel, std::string_view inviterId, std::string_view inviterNick);
  void OnInviteAnswer(const PromptAnswer& answer);
  void ShowInviteRefused(std::string_view channel, std::string_view nick);
  void StartInviteTimer();
  void StopInviteTimer();  // also timer 4's expiry

  void ShowIgnoreNotice(std::string_view channel, std::string_view memberId, std::string_view nick);

  // Expulsion votes. The data of a vote prompt: target id, target nick, own
  // id, own nick, channel.
  void RequestExpulsion(std::string_view targetId, std::string_view targetNick);  // the user asks
  void SetBanVoteRunning(std::string_view channel, bool running);
  void ShowVotePrompt(std::string_view channel, std::string_view targetId, std::string_view targetNick);
  void OnVoteAnswer(const PromptAnswer& answer);
  void OnVoteTimer();
  void ShowExpelledNotice();

 private:
  struct VoteDeadline {
    std::string channel;
    std::int64_t dueMs;
  };
  void OnAnswer(const PromptAnswer& answer);
  void ShowVoteNotifier(std::string_view channel, std::string_view targetId, std::string_view targetNick);
  // Gives the channel's vote its 15 s from now; false when no room is left.
  bool StartVoteClock(std::string_view channel);
  void ArmVoteTimer();

  ChannelList& channels_;
  ChannelTabs& tabs_;
  TranscriptPresenter& transcript_;
  const WindowFlags& flags_;
  LaunchSettings& settings_;
  protocol::CZupChatMain& session_;
  TimerBlock& timers_;
  PromptNotifier* notifier_;
  std::deque<VoteDeadline> votes_;  // one per room, earliest deadline first
};

}  // namespace orvinta::window
