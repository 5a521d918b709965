#pragma once
// The client's main window logic. COrvintaDlg coordinates: it owns the
// channel list, the session and one object per role, answers the session's
// window operations by handing them to the role they belong to, and runs the
// window's life (start, the connect button, closing). Widgets reach the
// roles through the accessors; everything outside goes through WindowPorts.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "client/window/channel_list.h"
#include "client/window/channel_tabs.h"
#include "client/window/chat_dlg.h"
#include "client/window/compose_and_send.h"
#include "client/window/connection_notices.h"
#include "client/window/home_page_actions.h"
#include "client/window/invitation_listener.h"
#include "client/window/member_lists.h"
#include "client/window/member_menu.h"
#include "client/window/portal_config.h"
#include "client/window/portal_pane.h"
#include "client/window/prompts_and_votes.h"
#include "client/window/startup_and_timers.h"
#include "client/window/timer_router.h"
#include "client/window/transcript_presenter.h"
#include "client/window/window_flags.h"
#include "client/window/window_ports.h"
#include "platform/single_instance.h"
#include "protocol/chat_window.h"
#include "protocol/launch_settings.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::window {

class COrvintaDlg final : public protocol::ChatWindow {
 public:
  static constexpr int kEntrySound = 200;
  enum class SysCommand { Minimize, Restore, Close };

  COrvintaDlg(LaunchSettings& settings, WindowPorts ports, PortalConfig portal = {});
  ~COrvintaDlg() override;
  COrvintaDlg(const COrvintaDlg&) = delete;
  COrvintaDlg& operator=(const COrvintaDlg&) = delete;

  // Life of the window.
  void OnInitDialog();
  void StartStartupTimers() { startup_.StartStartupTimers(); }
  void OnCopyData(const platform::CopyData& data) { startup_.OnCopyData(data); }
  // Minimise and restore are noted; close asks when rooms are open. Returns
  // false when the command is dropped; for Close, true means the window has
  // run OnClose and is gone.
  bool OnSysCommand(SysCommand command);
  // Stores the placement, saves the configuration, leaves the selected room
  // and closes the window (the program ends). Runs once.
  void OnClose();
  void OnBnClickedButConnect();
  void OnCloseTab(int tabIndex);  // the close mark of a tab was clicked
  void Closechat(int tabIndex);   // -1: the selected tab

  // The roles.
  ChannelList& Channels() { return channels_; }
  ChannelTabs& Tabs() { return tabs_; }
  MemberLists& Members() { return members_; }
  TranscriptPresenter& Transcript() { return transcript_; }
  ComposeAndSend& Composing() { return composing_; }
  PromptsAndVotes& Prompts() { return prompts_; }
  MemberMenu& MemberContextMenu() { return memberMenu_; }
  const WindowFlags& Flags() const { return flags_; }
  // Also told of each invitation (the popup shows it in any case); outlives the window.
  void SetInvitationListener(InvitationListener* listener) { invitationListener_ = listener; }

  // protocol::ChatWindow.
  bool IsConnected() const override { return flags_.connected; }
  void SetConnectStatus(bool connected) override;
  void SetLoggedIn() override {
    flags_.loggedIn = true;
    startup_.OnLoggedIn();
  }
  void StopLoginWatchdog() override { startup_.StopLoginWatchdog(); }
  void StartInviteTimer() override { prompts_.StartInviteTimer(); }
  void StopInviteTimer() override { prompts_.StopInviteTimer(); }
  void CloseClient() override { OnClose(); }
  void ConnectionAway(std::int64_t silentForMs) override { notices_.OnAway(silentForMs); }
  void ConnectionBack() override { notices_.OnBack(); }
  void LoginDelayed() override { startup_.OnLoginDelayed(); }
  void ConnectionBackIn(std::string_view channel) override { notices_.OnBackIn(channel); }
  std::vector<std::string> OpenRooms() override { return notices_.OpenRooms(); }
  int OwnStatusIn(std::string_view channel) override {
    const Channel* room = channels_.FindByName(channel);
    return room ? std::max(room->statusIndex, 0) : 0;
  }
  bool IsChannelOpen(std::string_view channel) override { return channels_.FindByName(channel) != nullptr; }
  void EnterChannel(std::string_view channel) override { tabs_.OpenForUser(channel); }
  void RemoveChannel(std::string_view channel) override { tabs_.RemoveChannel(channel); }
  void BringChannelToFront(std::string_view channel) override { tabs_.BringChannelToFront(channel); }
  void AddInfoLine(std::string_view channel, std::string_view templ,
                   std::initializer_list<std::string_view> args) override {
    transcript_.AddInfoLine(channel, templ, args);
  }
  void AddMessage(std::string_view channel, std::string_view senderId, std::string_view text) override {
    transcript_.AddMessage(channel, senderId, text);
  }
  std::size_t EntryHistoryLines() override;
  void AddEntryHistory(std::string_view channel, std::span<const protocol::EarlierLine> lines) override;
  void AddMissedLines(std::string_view channel, std::span<const protocol::EarlierLine> lines,
                      std::optional<std::uint64_t> unavailable) override {
    transcript_.AddMissedLines(channel, lines, unavailable, localClock_.Now());
  }
  void AddOlderLines(std::string_view channel, std::span<const protocol::EarlierLine> lines,
                     bool reachedStart) override;
  void SetBanVoteRunning(std::string_view channel, bool running) override {
    prompts_.SetBanVoteRunning(channel, running);
  }
  void NewNick(std::string_view channel, std::string_view entry, int status) override {
    members_.NewNick(channel, entry, status);
  }
  std::optional<std::string> FindNickByName(std::string_view channel, std::string_view id) override {
    return members_.FindNickByName(channel, id);
  }
  void SetMemberDetails(std::string_view channel, std::string_view id, std::string_view nick, std::string_view icon,
                        std::string_view status) override {
    members_.SetMemberDetails(channel, id, nick, icon, status);
  }
  void SetMemberStatus(std::string_view channel, std::string_view id, std::string_view status) override {
    members_.SetMemberStatus(channel, id, status);
  }
  void RemoveNick(std::string_view channel, std::string_view id) override;
  std::size_t MemberCount(std::string_view channel) override { return members_.MemberCount(channel); }
  void AddRoomDetailEntry(std::string_view entry) override { homePage_.AddRoomDetailEntry(entry); }
  void PlayEntrySound() override { ports_.sound.Play(kEntrySound); }
  void ShowInvitation(std::string_view channel, std::string_view inviterId, std::string_view inviterNick) override {
    prompts_.ShowInvitation(channel, inviterId, inviterNick);
    if (invitationListener_) invitationListener_->OnInvitation(channel, inviterNick);
  }
  void ShowInviteRefused(std::string_view channel, std::string_view /*memberId*/, std::string_view nick) override {
    prompts_.ShowInviteRefused(channel, nick);
  }
  void ShowIgnoreNotice(std::string_view channel, std::string_view memberId, std::string_view nick) override {
    prompts_.ShowIgnoreNotice(channel, memberId, nick);
  }
  void ShowVotePrompt(std::string_view channel, std::string_view targetId, std::string_view targetNick,
                      std::string_view /*requesterNick*/) override {
    prompts_.ShowVotePrompt(channel, targetId, targetNick);
  }
  void ShowExpelledNotice() override { prompts_.ShowExpelledNotice(); }

 private:
  void EndProgram();  // disconnect, close every room tab, close the window
  void AskAndClose(int tabIndex);
  // The reader reached the oldest line of a room whose history goes further back.
  void OnReachedTop(const std::string& channel);
  // Lines from a room's history above its oldest; the divider below the first of them.
  void PutEarlierLines(std::string_view channel, std::span<const protocol::EarlierLine> lines);

  LaunchSettings& settings_;
  WindowPorts ports_;
  const PortalConfig portal_;
  WindowFlags flags_;
  TimerRouter router_;
  std::unique_ptr<TimerBlock> timers_;  // the window's own ids 1-4
  BlockTimers sessionTimers_;
  platform::SystemLocalClock systemClock_;
  platform::LocalClock& localClock_;
  FrameLatch homeLatch_;
  const ViewContext viewContext_;
  std::unique_ptr<protocol::CZupChatMain> session_;

  CPortalPane welcomePane_;
  CPortalPane navigationPane_;
  ChannelList channels_;
  MemberLists members_;
  ChannelTabs tabs_;
  TranscriptPresenter transcript_;
  HomePageActions homePage_;
  ComposeAndSend composing_;
  PromptsAndVotes prompts_;
  ConnectionNotices notices_;
  StartupAndTimers startup_;
  MemberMenu memberMenu_;
  InvitationListener* invitationListener_ = nullptr;
};

}  // namespace orvinta::window
