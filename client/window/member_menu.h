#pragma once
// The member context menu: a left or right click on a member row opens it at
// the click, with what may be done to that member, and carries out the choice.
#include <string>
#include <string_view>

#include "client/window/channel_list.h"
#include "client/window/channel_tabs.h"
#include "client/window/member_lists.h"
#include "client/window/menu_models.h"
#include "client/window/portal_config.h"
#include "client/window/prompts_and_votes.h"
#include "client/window/window_flags.h"
#include "platform/message_box.h"
#include "platform/popup_menu.h"
#include "platform/shell.h"
#include "protocol/launch_settings.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::window {

// The member a click on the list picked.
struct SelectedMember {
  std::string nick;
  std::string id;  // as kept in the room's list ("_" before a leading digit)
};

struct MemberMenuPorts {
  platform::PopupMenus* menus;  // none: no menu is shown
  platform::Shell& shell;
  platform::MessageBoxes& boxes;
};

class MemberMenu {
 public:
  MemberMenu(ChannelList& channels, ChannelTabs& tabs, MemberLists& members, PromptsAndVotes& prompts,
             const WindowFlags& flags, LaunchSettings& settings, protocol::CZupChatMain& session,
             const PortalConfig& portal, MemberMenuPorts ports);
  MemberMenu(const MemberMenu&) = delete;
  MemberMenu& operator=(const MemberMenu&) = delete;

  // A mouse button was released over the member list, over the row of `id`
  // ("" off the rows): the menu opens where the pointer is.
  void OnMemberListClicked(const std::string& id);
  // The menu for the member `id` of the current room, at `at`.
  void ShowFor(std::string_view id, platform::ScreenPoint at);

  // What the menu offers for a member of the current room.
  MemberMenuState StateFor(const SelectedMember& member) const;
  void Act(int command, const SelectedMember& member);

 private:
  void OpenBlog(const SelectedMember& member);
  void StartPrivateChat(const SelectedMember& member);
  void ToggleIgnore(const SelectedMember& member);
  bool IsListedInCurrentRoom(std::string_view id) const;

  ChannelList& channels_;
  ChannelTabs& tabs_;
  MemberLists& members_;
  PromptsAndVotes& prompts_;
  const WindowFlags& flags_;
  LaunchSettings& settings_;
  protocol::CZupChatMain& session_;
  const PortalConfig& portal_;
  MemberMenuPorts ports_;
};

}  // namespace orvinta::window
