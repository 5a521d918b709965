#pragma once
// The client's main window logic: room tabs and channels, the transcript
// and member views, the session's window operations, start-up timers, the
// hand-over from a second launch, and closing. Widgets stay behind WindowHost.
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "client/compose/compose_texts.h"
#include "client/window/channel.h"
#include "client/window/chat_dlg.h"
#include "client/window/portal_config.h"
#include "client/window/portal_pane.h"
#include "client/window/timer_router.h"
#include "client/window/user_dlg.h"
#include "client/window/window_ports.h"
#include "platform/single_instance.h"
#include "protocol/chat_window.h"
#include "protocol/launch_settings.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::window {

class COrvintaDlg final : public protocol::ChatWindow {
 public:
  // The main window's timers.
  enum Timer { kVoteTimer = 1, kStartTimer = 2, kLoginWatchdog = 3, kInviteTimer = 4 };
  static constexpr int kStartDelayMs = 600;
  static constexpr int kLoginWatchdogMs = 8000;
  static constexpr int kInviteWaitMs = 15000;
  static constexpr int kVoteWaitMs = 15000;
  // Identifiers of the copy-data messages the window answers.
  static constexpr std::uint32_t kHandOver = 0x502;
  static constexpr std::uint32_t kInviteAnswer = 0x505;
  static constexpr std::uint32_t kVoteAnswer = 0x506;
  static constexpr int kEntrySound = 200;

  enum class SysCommand { Minimize, Restore, Close };
  // Keys the window's keyboard filter tells apart.
  enum class Key { Enter, Escape, Up, Down, Other };
  // Controls of the composing toolbar that report a colour.
  static constexpr int kTextColourButton = 1015;
  static constexpr int kBackColourButton = 1018;

  COrvintaDlg(LaunchSettings& settings, WindowPorts ports, PortalConfig portal = {});
  ~COrvintaDlg() override;
  COrvintaDlg(const COrvintaDlg&) = delete;
  COrvintaDlg& operator=(const COrvintaDlg&) = delete;

  // Life of the window.
  void OnInitDialog();
  // Timer 2 (connect after 600 ms, with the launch lock) and timer 3 (login watchdog).
  void StartStartupTimers();
  void OnCopyData(const platform::CopyData& data);
  // Minimise and restore are noted; close asks when rooms are open. Returns
  // false when the command is dropped; for Close, true means the window has
  // run OnClose and is gone.
  bool OnSysCommand(SysCommand command);
  // Stores the placement, saves the configuration, leaves the selected room
  // and closes the window (the program ends). Runs once.
  void OnClose();

  // User actions.
  void OnTcnSelchangeTabChannel();  // the tab selection changed (also after every programmatic selection)
  void OnCloseTab(int tabIndex);    // the close mark of a tab was clicked
  void OnBnClickedButConnect();
  void OnStatusSelected(int index);  // the own-status combo
  void OnStatusMenuCommand(int command);  // 32786-32792
  void OnClearScreen();
  // Left button released over the waiting room's page. The home view reports
  // its own clicks here through HtmlViewListener::OnLeftButtonUp.
  void OnHomePageClick();

  // Composing and sending (the input line and its toolbar).
  void OnBnClickedChatsend();  // the send button and Enter in the input line
  void OnFaceChosen(int face);         // face code 1-4
  void OnSizeChosen(int size);         // point size
  void OnStyleChanged(int styleBits);  // 1 bold, 2 italic, 4 underline
  void OnColourChosen(std::uint32_t colour, int controlId);  // a colour button's choice (0x7EC)
  void OnColourDroppedDown();                                // a colour picker opened (0x7EA)
  void OnEmoticonChosen(int index);                          // the emoticon picker (0x8014); -1: none
  // The keyboard filter: true when the key is consumed.
  bool PreTranslateKey(Key key, bool inInputLine);
  void OnFunctionKey(int n);  // F1..F10
  // The header, footer and shortcut texts of the configuration.
  compose::ComposeTexts& Texts() { return texts_; }

  // Channels.
  Channel* AddChannel(std::string_view name, ChannelKind kind);
  Channel* FindChannelByName(std::string_view name);
  void Closechat(int tabIndex);  // -1: the selected tab
  void DeleteAllChannel();
  void SetTitle(std::string_view channelName, std::string_view title);
  void SetActivity(std::string_view channelName, bool active);
  Channel* CurrentChannel() const { return current_; }
  const std::vector<std::unique_ptr<Channel>>& Channels() const { return channels_; }

  // Transcript lines. `html` is program markup whose received parts are escaped already.
  void AddInfoLineHtml(std::string_view channelName, std::string_view html);

  // Members.
  Member* FindMember(std::string_view channelName, std::string_view id);
  void DeleteAllNick(std::string_view channelName);
  void RefreshNickList(std::string_view channelName);
  void RefreshNickList(Channel& channel);
  void UpdateNickCount();

  // Ignore list of a channel (member ids, compared exactly).
  void AddIgnore(std::string_view channelName, std::string_view id);
  void RemoveIgnore(std::string_view channelName, std::string_view id);
  bool IsIgnored(std::string_view channelName, std::string_view id);

  // The user asks to expel a member of the current room.
  void RequestExpulsion(std::string_view targetId, std::string_view targetNick);

  bool IsLoggedIn() const { return loggedIn_; }
  bool IsLaunchLocked() const { return launchLock_; }
  bool IsMinimised() const;
  protocol::CZupChatMain& Session() { return *session_; }
  CUserDlg& UserPane() { return *userPane_; }

  // protocol::ChatWindow.
  bool IsConnected() const override { return connected_; }
  void SetConnectStatus(bool connected) override;
  void SetLoggedIn() override { loggedIn_ = true; }
  void StopLoginWatchdog() override;
  void StartInviteTimer() override;
  void StopInviteTimer() override;
  void CloseClient() override { OnClose(); }
  bool IsChannelOpen(std::string_view channel) override { return FindChannelByName(channel) != nullptr; }
  void RemoveChannel(std::string_view channel) override;
  void BringChannelToFront(std::string_view channel) override;
  void AddInfoLine(std::string_view channel, std::string_view templ,
                   std::initializer_list<std::string_view> args) override;
  void AddMessage(std::string_view channel, std::string_view senderId, std::string_view text) override;
  void SetBanVoteRunning(std::string_view channel, bool running) override;
  void NewNick(std::string_view channel, std::string_view entry, int status) override;
  std::optional<std::string> FindNickByName(std::string_view channel, std::string_view id) override;
  void SetMemberDetails(std::string_view channel, std::string_view id, std::string_view nick, std::string_view icon,
                        std::string_view status) override;
  void SetMemberStatus(std::string_view channel, std::string_view id, std::string_view status) override;
  void RemoveNick(std::string_view channel, std::string_view id) override;
  std::size_t MemberCount(std::string_view channel) override;
  void AddRoomDetailEntry(std::string_view entry) override;
  void PlayEntrySound() override { ports_.sound.Play(kEntrySound); }
  void ShowInvitation(std::string_view channel, std::string_view inviterId, std::string_view inviterNick) override;
  void ShowInviteRefused(std::string_view channel, std::string_view memberId, std::string_view nick) override;
  void ShowIgnoreNotice(std::string_view channel, std::string_view memberId, std::string_view nick) override;
  void ShowVotePrompt(std::string_view channel, std::string_view targetId, std::string_view targetNick,
                      std::string_view requesterNick) override;
  void ShowExpelledNotice() override;

 private:
  void OnTimer(int id);
  void OnStartTimer();
  void OnLoginWatchdog();
  void OnVoteTimer();
  void EndProgram();  // disconnect, close every room tab, close the window
  bool Ask(std::string_view text);
  void AskAndClose(int tabIndex);
  void Tell(std::string_view text);
  int TabIndexOf(const Channel* channel) const;
  Channel* ChannelAtTab(int index) const;
  void SelectAndSwitch(int index);
  void ShowToolbarOf(const Channel& channel);
  void ApplyInputFormat(const Channel& channel);
  void OnHandOver(std::string_view payload);
  void OnInviteAnswer(std::string_view payload);
  void OnVoteAnswer(std::string_view payload);
  void SetOwnStatus(int status, bool fromCombo);
  void ShowVoteNotifier(std::string_view channel, std::string_view targetId, std::string_view targetNick);
  void RunHomeAction(std::size_t step);
  void EnterRoomFromHome(const std::string& key, const std::string& title);
  void ShowRoomDetails(const std::string& key);
  Channel* ChannelForLine(std::string_view name);
  void AfterLine(Channel& channel, bool flashWhenMinimised);

  LaunchSettings& settings_;
  WindowPorts ports_;
  const PortalConfig portal_;
  TimerRouter router_;
  std::unique_ptr<TimerBlock> timers_;
  FrameLatch transcriptLatch_;
  const ViewContext viewContext_;

  std::unique_ptr<CPortalPane> welcomePane_;
  std::unique_ptr<CPortalPane> navigationPane_;
  std::unique_ptr<CUserDlg> userPane_;
  std::vector<std::unique_ptr<Channel>> channels_;
  Channel* current_ = nullptr;
  std::deque<std::string> voteQueue_;
  compose::ComposeTexts texts_;

  bool connected_ = false;
  bool loggedIn_ = false;
  bool minimised_ = false;
  bool launchLock_ = false;
  bool closed_ = false;

  std::unique_ptr<protocol::CZupChatMain> session_;
};

}  // namespace orvinta::window
