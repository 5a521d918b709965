#include "client/window/menu_models.h"

#include "client/window/member.h"

namespace orvinta::window {

std::vector<platform::MenuItem> MemberMenuItems(const MemberMenuState& state) {
  const bool ignoreEnabled = state.ignoreItem;
  return {
      {kBlogCommand, "블로그 보기", true, kBlogIcon},
      {},
      {kPrivateChatCommand, "1:1 대화", state.privateChat, kPrivateChatIcon},
      {},
      {kExpulsionCommand, "추방요청", state.expulsion, kExpulsionIcon},
      {kIgnoreCommand, ignoreEnabled && state.ignored ? "메세지 허용" : "메세지 무시", ignoreEnabled,
       ignoreEnabled && state.ignored ? kAllowIcon : kIgnoreIcon},
  };
}

std::vector<platform::MenuItem> StatusMenuItems(int current) {
  std::vector<platform::MenuItem> items;
  for (const StatusEntry& entry : kStatuses) {
    items.push_back({entry.menuCommand, std::string(entry.text), true, entry.status, entry.status == current});
  }
  return items;
}

int OwnStatusIn(const ChannelList& channels, std::string_view ownId) {
  const Channel* current = channels.Current();
  const Member* own = current ? channels.FindMember(current->name, ownId) : nullptr;
  return own ? own->status : -1;
}

}  // namespace orvinta::window
