#pragma once
// The items of the member context menu (164) and the status menu (203).
#include <string_view>
#include <vector>

#include "client/window/channel_list.h"

#include "platform/popup_menu.h"

namespace orvinta::window {

enum MemberMenuCommand {
  kBlogCommand = 32773,
  kPrivateChatCommand = 32774,
  kExpulsionCommand = 32775,
  kIgnoreCommand = 32776,
};

// Pictures of the member menu, in the order of its image list.
enum MemberMenuIcon { kBlogIcon, kPrivateChatIcon, kExpulsionIcon, kIgnoreIcon, kAllowIcon, kMemberMenuIconCount };

// What the menu offers for one member; the blog item is always there.
struct MemberMenuState {
  bool privateChat = false;
  bool expulsion = false;
  bool ignoreItem = false;  // the ignore item is enabled (relabelled)
  bool ignored = false;     // it then reads "메세지 허용"
};

std::vector<platform::MenuItem> MemberMenuItems(const MemberMenuState& state);

// The seven own states (32786-32792) with their pictures; `current` is checked.
std::vector<platform::MenuItem> StatusMenuItems(int current);
// The user's status in the current room, as its member list shows it; -1 outside rooms.
int OwnStatusIn(const ChannelList& channels, std::string_view ownId);

}  // namespace orvinta::window
