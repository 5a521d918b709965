#pragma once
// The waiting room's page: the room list reports the user's choice in
// elements of the page, which a click makes the window read and act on.
#include <string>
#include <string_view>

#include "client/window/channel_list.h"
#include "client/window/channel_tabs.h"
#include "client/window/portal_config.h"
#include "client/window/window_flags.h"
#include "platform/shell.h"
#include "protocol/launch_settings.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::window {

class HomePageActions {
 public:
  // Entries the room-detail list takes after it was emptied; more are dropped.
  static constexpr std::size_t kMaxDetailEntries = 500;

  HomePageActions(ChannelList& channels, ChannelTabs& tabs, const WindowFlags& flags, LaunchSettings& settings,
                  protocol::CZupChatMain& session, platform::Shell& shell, const PortalConfig& portal);

  // Left button released over the waiting room's page.
  void OnHomePageClick();
  // One member of the room whose details were asked for ("x|x|nick|icon").
  void AddRoomDetailEntry(std::string_view entry);

 private:
  void RunHomeAction(std::size_t step);
  void EnterRoomFromHome(const std::string& key, const std::string& title);
  void ShowRoomDetails(const std::string& key);

  ChannelList& channels_;
  ChannelTabs& tabs_;
  const WindowFlags& flags_;
  LaunchSettings& settings_;
  protocol::CZupChatMain& session_;
  platform::Shell& shell_;
  const PortalConfig& portal_;
  std::size_t detailEntries_ = 0;  // entries in the detail list since it was last emptied
};

}  // namespace orvinta::window
