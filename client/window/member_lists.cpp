#include "client/window/member_lists.h"

#include <climits>
#include <vector>

#include "client/window/icon_url.h"
#include "client/window/member.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

// Members beyond this are not listed: a hostile server could otherwise grow
// the list (and each redraw) without end.
constexpr std::size_t kMaxMembers = 2000;

int ParseStatus(std::string_view text) {
  const long value = text::ParseLeadingInt(text);
  return value < INT_MIN || value > INT_MAX ? -1 : static_cast<int>(value);
}

}  // namespace

MemberLists::MemberLists(ChannelList& channels, platform::MemberListViewFactory* views, TimerRouter& timers,
                         const PortalConfig& portal, const LaunchSettings& settings, protocol::CZupChatMain& session,
                         platform::WindowHost& host)
    : channels_(channels),
      portal_(portal),
      settings_(settings),
      session_(session),
      host_(host),
      pane_(views),
      redraw_(timers.OpenBlock([this](int local) {
        if (local == kRedrawTimer) OnRedrawTimer();
      })) {}

void MemberLists::NewNick(std::string_view channelName, std::string_view entry, int status) {
  Channel* channel = channels_.FindByName(channelName);
  if (!channel || entry.empty() || channel->members.size() >= kMaxMembers) return;
  Member member;
  member.id = std::string(entry);
  member.status = status;
  if (const auto slot = kPrefixMarks.find(entry.front()); slot != std::string_view::npos) {
    member.id.erase(0, 1);
    member.prefixMarks[slot] = std::string(1, entry.front());
  }
  if (member.id.empty() || channels_.FindMember(channelName, member.id)) return;
  channel->members.push_back(std::move(member));
}

std::optional<std::string> MemberLists::FindNickByName(std::string_view channelName, std::string_view id) {
  const Member* member = channels_.FindMember(channelName, id);
  if (!member) return std::nullopt;
  return member->nick;
}

void MemberLists::SetMemberDetails(std::string_view channelName, std::string_view id, std::string_view nick,
                                   std::string_view icon, std::string_view status) {
  Member* member = channels_.FindMember(channelName, id);
  if (!member) return;
  member->nick = std::string(nick);
  member->iconAddress = IconUrl(portal_, ParseIconNumber(icon), false);
  member->status = ParseStatus(status);
  RefreshIfCurrent(channelName);
}

void MemberLists::SetMemberStatus(std::string_view channelName, std::string_view id, std::string_view status) {
  Member* member = channels_.FindMember(channelName, id);
  if (!member) return;
  member->status = ParseStatus(status);
  RefreshIfCurrent(channelName);
}

std::optional<std::string> MemberLists::RemoveNick(std::string_view channelName, std::string_view id) {
  Channel* channel = channels_.FindByName(channelName);
  if (!channel) return std::nullopt;
  for (auto it = channel->members.begin(); it != channel->members.end(); ++it) {
    if (it->id != id) continue;
    std::string nick = std::move(it->nick);
    channel->members.erase(it);
    RefreshIfCurrent(channelName);
    return nick;
  }
  return std::nullopt;
}

std::size_t MemberLists::MemberCount(std::string_view channelName) {
  const Channel* channel = channels_.FindByName(channelName);
  return channel ? channel->members.size() : 0;
}

void MemberLists::DeleteAllNick(std::string_view channelName) {
  if (Channel* channel = channels_.FindByName(channelName)) channel->members.clear();
}

void MemberLists::RefreshIfCurrent(std::string_view channelName) {
  const Channel* channel = channels_.FindByName(channelName);
  if (!channel || channel != channels_.Current()) return;
  stale_ = true;
  if (!redraw_->IsRunning(kRedrawTimer)) redraw_->Set(kRedrawTimer, kRedrawDelayMs);
}

void MemberLists::OnRedrawTimer() {
  Channel* current = channels_.Current();
  if (!stale_ || !current) {
    // Quiet again: the next change is drawn a frame after it.
    stale_ = false;
    redraw_->Kill(kRedrawTimer);
    return;
  }
  Draw(*current);
  redraw_->Set(kRedrawTimer, kBusyRedrawDelayMs);
}

void MemberLists::RefreshNickList(Channel& channel) {
  redraw_->Kill(kRedrawTimer);
  Draw(channel);
}

void MemberLists::Draw(Channel& channel) {
  stale_ = false;
  // The whole list in one hand-over; the view redraws the rows that changed.
  std::vector<platform::MemberRow> rows;
  rows.reserve(channel.members.size());
  for (const Member& member : channel.members) {
    if (!member.nick.empty()) rows.push_back(MemberRowOf(member));
  }
  pane_.View().SetRows(std::move(rows));
  UpdateNickCount();
}

void MemberLists::ClearNickList() { pane_.View().SetRows({}); }

void MemberLists::UpdateNickCount() {
  std::size_t count = 0;
  if (const Channel* current = channels_.Current()) {
    for (const Member& member : current->members) count += !member.nick.empty();
  }
  pane_.View().SetCount(count);
}

void MemberLists::OnCbnSelchangeComboStatus(int index) { SetOwnStatus(index, true); }

void MemberLists::OnStatusMenuCommand(int command) {
  if (const auto status = StatusForMenuCommand(command)) SetOwnStatus(*status, false);
}

void MemberLists::SetOwnStatus(int status, bool fromCombo) {
  Channel* current = channels_.Current();
  if (status < 0 || status >= kStatusCount || !current || current->kind == ChannelKind::WaitingRoom) return;
  const std::string name = current->name;
  // The own entry is listed under the login id, which differs from the user
  // id when that holds characters the server does not key on.
  const std::string& ownId = channels_.FindMember(name, settings_.UserId) ? settings_.UserId : session_.GetLoginId();
  SetMemberStatus(name, ownId, std::to_string(status));
  session_.SendUserInfoToAll(name, status);
  // Whichever way it was chosen, the box shows the status others now see.
  if (Channel* still = channels_.Current()) still->statusIndex = status;
  if (!fromCombo) host_.SelectStatus(status);
}

}  // namespace orvinta::window
