#pragma once
// Room tabs: opening, finding, switching and removing channels, titles and
// activity marks. What a switch shows besides the tabs (the member list, the
// panes, the composing settings) is told through the hooks.
#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "client/window/channel_list.h"
#include "client/window/chat_dlg.h"
#include "client/window/member_lists.h"
#include "client/window/portal_pane.h"
#include "client/window/timer_router.h"
#include "client/window/traffic_rooms.h"
#include "client/window/window_flags.h"
#include "platform/window_host.h"
#include "protocol/launch_settings.h"

namespace orvinta::window {

struct ChannelTabHooks {
  std::function<void(const Channel&)> showComposeSettings;  // the switched-to room's toolbar and input format
  std::function<void()> homeClicked;                        // the waiting room's page was clicked
  std::function<void()> focusInput;                         // after a switch, so the user can type at once
  std::function<void(const std::string&)> linkNotOpened;    // a room's link found no browser
  std::function<void(const std::string&)> reachedTop;       // the reader scrolled to a room's oldest line
};

class ChannelTabs {
 public:
  ChannelTabs(ChannelList& channels, const ViewContext& views, WindowFlags& flags, MemberLists& members,
              CPortalPane& welcomePane, ChannelTabHooks hooks);

  // A new tab, selected and switched to; nullptr when no more tabs may open.
  Channel* AddChannel(std::string_view name, ChannelKind kind);
  // The user enters the room: its tab opens now when it is not open yet.
  void OpenForUser(std::string_view name);
  // The tab for a line that arrived; nullptr when the line is to be dropped
  // (no such room, the room was just left, or traffic has opened its share).
  Channel* OpenForTraffic(std::string_view name);
  // The waiting room stays.
  void RemoveChannel(std::string_view name);
  void DeleteAllChannel();
  // The tab selection changed (the user's, and after every selection by program).
  void OnTcnSelchangeTabChannel();
  void SelectAndSwitch(int index);
  void SetTitle(std::string_view channelName, std::string_view title);
  void SetActivity(std::string_view channelName, bool active);
  // A line named the user: the tab keeps this look over plain activity until it is shown.
  void SetMention(std::string_view channelName);
  void BringChannelToFront(std::string_view channelName);

  bool IsMinimised() const;

 private:
  void ReleaseView(Channel& channel);

  ChannelList& channels_;
  const ViewContext& views_;
  platform::WindowHost& host_;
  const LaunchSettings& settings_;
  WindowFlags& flags_;
  MemberLists& members_;
  CPortalPane& welcomePane_;
  ChannelTabHooks hooks_;
  std::unique_ptr<TimerBlock> clock_;  // only for the time of day
  TrafficRooms trafficRooms_;
  std::set<std::string, std::less<>> mentioned_;  // rooms whose unseen lines name the user
};

}  // namespace orvinta::window
