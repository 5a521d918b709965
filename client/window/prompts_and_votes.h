#pragma once
// Invitations to 1:1 rooms, expulsion votes, refusal notices and the ignore
// lists of the rooms. Prompts go to the popup notifier, which answers through
// the window's copy-data messages 0x505 and 0x506.
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

  PromptsAndVotes(ChannelList& channels, ChannelTabs& tabs, TranscriptPresenter& transcript,
                  const WindowFlags& flags, LaunchSettings& settings, protocol::CZupChatMain& session,
                  TimerBlock& timers, PromptNotifier* notifier);

  // Ignore list of a channel (member ids, compared exactly).
  void AddIgnore(std::string_view channelName, std::string_view id);
  void RemoveIgnore(std::string_view channelName, std::string_view id);
  bool IsIgnored(std::string_view channelName, std::string_view id) const;

  // Invitations.
  void ShowInvitation(std::string_view channel, std::string_view inviterId, std::string_view inviterNick);
  void OnInviteAnswer(std::string_view payload);  // 0x505
  void ShowInviteRefused(std::string_view channel, std::string_view nick);
  void StartInviteTimer();
  void StopInviteTimer();  // also timer 4's expiry

  void ShowIgnoreNotice(std::string_view channel, std::string_view memberId, std::string_view nick);

  // Expulsion votes.
  void RequestExpulsion(std::string_view targetId, std::string_view targetNick);  // the user asks
  void SetBanVoteRunning(std::string_view channel, bool running);
  void ShowVotePrompt(std::string_view channel, std::string_view targetId, std::string_view targetNick);
  void OnVoteAnswer(std::string_view payload);  // 0x506
  void OnVoteTimer();
  void ShowExpelledNotice();

 private:
  void ShowVoteNotifier(std::string_view channel, std::string_view targetId, std::string_view targetNick);

  ChannelList& channels_;
  ChannelTabs& tabs_;
  TranscriptPresenter& transcript_;
  const WindowFlags& flags_;
  LaunchSettings& settings_;
  protocol::CZupChatMain& session_;
  TimerBlock& timers_;
  PromptNotifier* notifier_;
  std::deque<std::string> voteQueue_;  // rooms whose vote timer runs, oldest first
};

}  // namespace orvinta::window
