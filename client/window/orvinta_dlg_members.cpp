// Member lists of the rooms, the member-list pane and the user's own status.
#include <climits>

#include "client/window/icon_url.h"
#include "client/window/member.h"
#include "client/window/orvinta_dlg.h"
#include "protocol/guarded.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

// Members beyond this are not listed: the list is redrawn whole on each change.
constexpr std::size_t kMaxMembers = 2000;

int ParseStatus(std::string_view text) {
  const long value = text::ParseLeadingInt(text);
  return value < INT_MIN || value > INT_MAX ? -1 : static_cast<int>(value);
}

}  // namespace

Member* COrvintaDlg::FindMember(std::string_view channelName, std::string_view id) {
  Channel* channel = FindChannelByName(channelName);
  if (!channel) return nullptr;
  for (Member& member : channel->members) {
    if (member.id == id) return &member;
  }
  return nullptr;
}

void COrvintaDlg::NewNick(std::string_view channelName, std::string_view entry, int status) {
  Guarded([&] {
    Channel* channel = FindChannelByName(channelName);
    if (!channel || entry.empty() || channel->members.size() >= kMaxMembers) return;
    Member member;
    member.id = std::string(entry);
    member.status = status;
    if (const auto slot = kPrefixMarks.find(entry.front()); slot != std::string_view::npos) {
      member.id.erase(0, 1);
      member.prefixMarks[slot] = std::string(1, entry.front());
    }
    if (member.id.empty() || FindMember(channelName, member.id)) return;
    channel->members.push_back(std::move(member));
  });
}

std::optional<std::string> COrvintaDlg::FindNickByName(std::string_view channel, std::string_view id) {
  return GuardedOr<std::optional<std::string>>(std::nullopt, [&]() -> std::optional<std::string> {
    const Member* member = FindMember(channel, id);
    if (!member) return std::nullopt;
    return member->nick;
  });
}

void COrvintaDlg::SetMemberDetails(std::string_view channelName, std::string_view id, std::string_view nick,
                                   std::string_view icon, std::string_view status) {
  Guarded([&] {
    Member* member = FindMember(channelName, id);
    if (!member) return;
    member->nick = std::string(nick);
    member->iconAddress = IconUrl(portal_, ParseIconNumber(icon), false);
    member->status = ParseStatus(status);
    Channel* channel = FindChannelByName(channelName);
    if (channel == current_) RefreshNickList(*channel);
  });
}

void COrvintaDlg::SetMemberStatus(std::string_view channelName, std::string_view id, std::string_view status) {
  Guarded([&] {
    Member* member = FindMember(channelName, id);
    if (!member) return;
    member->status = ParseStatus(status);
    Channel* channel = FindChannelByName(channelName);
    if (channel == current_) RefreshNickList(*channel);
  });
}

void COrvintaDlg::RemoveNick(std::string_view channelName, std::string_view id) {
  Guarded([&] {
    Channel* channel = FindChannelByName(channelName);
    if (!channel) return;
    for (auto it = channel->members.begin(); it != channel->members.end(); ++it) {
      if (it->id != id) continue;
      const std::string nick = it->nick;
      const std::string name = channel->name;
      channel->members.erase(it);
      AddInfoLine(name, "<BR><B>☆☆ %s님이 퇴장하셨습니다 ☆☆</B><BR><BR>", {nick});
      if (channel == current_) RefreshNickList(*channel);
      return;
    }
  });
}

std::size_t COrvintaDlg::MemberCount(std::string_view channelName) {
  const Channel* channel = FindChannelByName(channelName);
  return channel ? channel->members.size() : 0;
}

void COrvintaDlg::DeleteAllNick(std::string_view channelName) {
  Guarded([&] {
    if (Channel* channel = FindChannelByName(channelName)) channel->members.clear();
  });
}

void COrvintaDlg::RefreshNickList(std::string_view channelName) {
  Guarded([&] {
    if (Channel* channel = FindChannelByName(channelName)) RefreshNickList(*channel);
  });
}

void COrvintaDlg::RefreshNickList(Channel& channel) {
  Guarded([&] {
    PageQueue& page = userPane_->page();
    page.SetElementHtml("USER_LIST", "<SPAN ID=END_LINE></SPAN>");
    for (const Member& member : channel.members) {
      if (member.nick.empty()) continue;
      page.AppendBeforeMarker("END_LINE", RenderMemberRow(member, portal_));
      page.SetElementHtml("SELECT_USER", "");
    }
    UpdateNickCount();
  });
}

void COrvintaDlg::UpdateNickCount() {
  Guarded([&] {
    std::size_t count = 0;
    if (current_) {
      for (const Member& member : current_->members) count += !member.nick.empty();
    }
    userPane_->page().SetElementHtml("USER_COUNT", std::to_string(count));
  });
}

void COrvintaDlg::OnStatusSelected(int index) {
  Guarded([&] { SetOwnStatus(index, true); });
}

void COrvintaDlg::OnStatusMenuCommand(int command) {
  Guarded([&] {
    if (const auto status = StatusForMenuCommand(command)) SetOwnStatus(*status, false);
  });
}

void COrvintaDlg::SetOwnStatus(int status, bool fromCombo) {
  if (status < 0 || status >= kStatusCount || !current_ || current_->kind == ChannelKind::WaitingRoom) return;
  const std::string name = current_->name;
  // The own entry is listed under the login id, which differs from the user
  // id when that holds characters the server does not key on.
  const std::string& ownId = FindMember(name, settings_.UserId) ? settings_.UserId : session_->GetLoginId();
  SetMemberStatus(name, ownId, std::to_string(status));
  session_->SendUserInfoToAll(name, status);
  if (fromCombo && current_) current_->statusIndex = status;
}

}  // namespace orvinta::window
