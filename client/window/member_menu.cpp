#include "client/window/member_menu.h"

#include "client/window/portal_pane.h"
#include "client/window/resource_address.h"
#include "protocol/room_key.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kTellIgnoredQuestion = "상대방에게 메시지 무시 사실을 알리시겠습니까?  ";
constexpr std::string_view kBoxCaption = "벨보 미렐";
// A vote needs the target, the requester and someone to decide.
constexpr std::size_t kMinMembersForVote = 3;

}  // namespace

MemberMenu::MemberMenu(ChannelList& channels, ChannelTabs& tabs, MemberLists& members, PromptsAndVotes& prompts,
                       const WindowFlags& flags, LaunchSettings& settings, protocol::CZupChatMain& session,
                       const PortalConfig& portal, MemberMenuPorts ports)
    : channels_(channels),
      tabs_(tabs),
      members_(members),
      prompts_(prompts),
      flags_(flags),
      settings_(settings),
      session_(session),
      portal_(portal),
      ports_(ports) {}

void MemberMenu::OnMemberListClicked(const std::string& id) {
  if (!ports_.menus || id.empty()) return;
  ShowFor(id, ports_.menus->CursorPosition());
}

bool MemberMenu::IsListedInCurrentRoom(std::string_view id) const {
  const Channel* current = channels_.Current();
  return current && !id.empty() && channels_.FindMember(current->name, id) != nullptr;
}

void MemberMenu::ShowFor(std::string_view id, platform::ScreenPoint at) {
  const Channel* current = channels_.Current();
  if (!ports_.menus || !current || !current->name.starts_with('#')) return;
  // The id goes into "/"-separated bodies: only a member the room lists is acted on.
  const Member* listed = channels_.FindMember(current->name, id);
  if (id.empty() || !listed) return;
  const SelectedMember member{listed->nick, listed->id};
  const std::string room = current->name;
  const int command = ports_.menus->Track(platform::MenuIcons::Member, MemberMenuItems(StateFor(member)), at);
  // The menu is modal: a choice made after the shown room changed belongs to no room.
  const Channel* now = channels_.Current();
  if (command != 0 && now && now->name == room) Act(command, member);
}

MemberMenuState MemberMenu::StateFor(const SelectedMember& member) const {
  MemberMenuState state;
  const Channel* current = channels_.Current();
  const std::string_view id = member.id;
  if (!current || id.empty() || id == settings_.UserId || id == session_.GetLoginId()) return state;
  const std::string privateRoom = protocol::PrivateChannelName(settings_.UserId, id);
  state.privateChat = !channels_.FindMember(privateRoom, id) && !settings_.InvitePending;
  state.ignoreItem = true;
  state.ignored = current->Ignores(id);
  state.expulsion = current->voteRequested == 0 && current->members.size() >= kMinMembersForVote;
  return state;
}

void MemberMenu::Act(int command, const SelectedMember& member) {
  if (command == kBlogCommand) return OpenBlog(member);
  // The menu waited for the user: the member may have left meanwhile.
  if (!IsListedInCurrentRoom(member.id)) return;
  const MemberMenuState state = StateFor(member);
  switch (command) {
    case kPrivateChatCommand:
      if (state.privateChat) StartPrivateChat(member);
      break;
    case kExpulsionCommand:
      if (state.expulsion) prompts_.RequestExpulsion(member.id, member.nick);
      break;
    case kIgnoreCommand:
      if (state.ignoreItem) ToggleIgnore(member);
      break;
    default:
      break;
  }
}

void MemberMenu::OpenBlog(const SelectedMember& member) {
  const std::string_view id = text::TrimLeft(member.id, "_");
  if (id.empty()) return;
  OpenPageAddress(ports_.shell, portal_.blogHost + PercentEncode(id));
}

void MemberMenu::StartPrivateChat(const SelectedMember& member) {
  if (!flags_.loggedIn) return;
  const std::string channelName = protocol::PrivateChannelName(settings_.UserId, member.id);
  const std::string key(protocol::StripChannelMark(channelName));
  settings_.RoomKey = key;
  settings_.RoomTitle = PrivateRoomTitle(member.nick);
  if (const Channel* open = channels_.FindByName(channelName)) {
    if (open != channels_.Current()) tabs_.SelectAndSwitch(channels_.TabIndexOf(open));
  } else {
    session_.SendChatIn(key);
  }
  session_.SendInvite(member.id);
  settings_.InvitePending = true;
  prompts_.StartInviteTimer();
}

void MemberMenu::ToggleIgnore(const SelectedMember& member) {
  const std::string room = channels_.Current()->name;
  if (prompts_.IsIgnored(room, member.id)) {
    prompts_.RemoveIgnore(room, member.id);
    return;
  }
  prompts_.AddIgnore(room, member.id);
  const auto answer = ports_.boxes.Show(std::string(kTellIgnoredQuestion), std::string(kBoxCaption),
                                        platform::BoxButtons::YesNo);
  // The room may have closed while the question was open.
  if (answer == platform::BoxAnswer::Yes && channels_.FindByName(room)) session_.SendIgnore(room, member.id);
}

}  // namespace orvinta::window
