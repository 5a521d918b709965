#pragma once
// The member lists of the rooms, the member-list pane that shows the current
// room's list, and the user's own status. A change to the current room's
// members only marks the pane stale; it is redrawn at most once per frame, so
// a busy or hostile room costs a constant per message, not a redraw each.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "client/window/channel_list.h"
#include "client/window/portal_config.h"
#include "client/window/timer_router.h"
#include "client/window/user_dlg.h"
#include "platform/member_list_view.h"
#include "platform/window_host.h"
#include "protocol/launch_settings.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::window {

class MemberLists {
 public:
  // Milliseconds from a change in a quiet list to its redraw: one frame.
  static constexpr int kRedrawDelayMs = 16;
  // While changes keep coming the pane is redrawn at this pace instead: a
  // window that holds web views is composed whole on every repaint, and a
  // flood of status changes would have it recomposed every frame.
  static constexpr int kBusyRedrawDelayMs = 50;

  MemberLists(ChannelList& channels, platform::MemberListViewFactory* views, TimerRouter& timers,
              const PortalConfig& portal, const LaunchSettings& settings, protocol::CZupChatMain& session,
              platform::WindowHost& host);

  // The session's member operations (see protocol::ChatWindow).
  void NewNick(std::string_view channelName, std::string_view entry, int status);
  std::optional<std::string> FindNickByName(std::string_view channelName, std::string_view id);
  void SetMemberDetails(std::string_view channelName, std::string_view id, std::string_view nick,
                        std::string_view icon, std::string_view status);
  void SetMemberStatus(std::string_view channelName, std::string_view id, std::string_view status);
  // The member's nick when it was listed.
  std::optional<std::string> RemoveNick(std::string_view channelName, std::string_view id);
  std::size_t MemberCount(std::string_view channelName);
  void DeleteAllNick(std::string_view channelName);

  // The pane. RefreshNickList redraws at once (a tab switch); member changes
  // go through the redraw timer.
  void RefreshNickList(Channel& channel);
  bool RedrawPending() const { return stale_; }
  void ClearNickList();
  void UpdateNickCount();
  void ShowPane(bool visible) { pane_.Show(visible); }
  CUserDlg& Pane() { return pane_; }

  // The own-status combo (entries 0-6) and the status menu (32786-32792).
  void OnCbnSelchangeComboStatus(int index);
  void OnStatusMenuCommand(int command);

 private:
  void SetOwnStatus(int status, bool fromCombo);
  void RefreshIfCurrent(std::string_view channelName);
  void OnRedrawTimer();
  void Draw(Channel& channel);

  static constexpr int kRedrawTimer = 1;

  ChannelList& channels_;
  const PortalConfig& portal_;
  const LaunchSettings& settings_;
  protocol::CZupChatMain& session_;
  platform::WindowHost& host_;
  CUserDlg pane_;
  std::unique_ptr<TimerBlock> redraw_;
  bool stale_ = false;  // the current room's list changed since it was drawn
};

}  // namespace orvinta::window
