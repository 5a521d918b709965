// Room tabs: adding, finding, switching, removing, titles and activity marks,
// and the hand-over of a room from a second launch.
#include <array>

#include "client/window/chat_line.h"
#include "client/window/orvinta_dlg.h"
#include "client/window/text_filters.h"
#include "protocol/guarded.h"
#include "protocol/room_key.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr std::array<std::string_view, 4> kFaceNames = {"굴림", "바탕", "돋움", "궁서"};
// Tabs beyond this are not opened: every line for an unknown room opens one.
constexpr std::size_t kMaxChannels = 100;
constexpr std::size_t kMaxHandOverBytes = 4096;
constexpr std::size_t kMaxTitleBytes = 260;
constexpr std::size_t kCutTitleBytes = 250;

std::string_view FaceName(int face) { return face >= 1 && face <= 4 ? kFaceNames[face - 1] : kFaceNames[0]; }

}  // namespace

int COrvintaDlg::TabIndexOf(const Channel* channel) const {
  for (std::size_t i = 0; i < channels_.size(); ++i) {
    if (channels_[i].get() == channel) return static_cast<int>(i);
  }
  return -1;
}

Channel* COrvintaDlg::ChannelAtTab(int index) const {
  return index >= 0 && static_cast<std::size_t>(index) < channels_.size() ? channels_[index].get() : nullptr;
}

void COrvintaDlg::SelectAndSwitch(int index) {
  ports_.host.SelectTab(index);
  OnTcnSelchangeTabChannel();
}

Channel* COrvintaDlg::AddChannel(std::string_view name, ChannelKind kind) {
  return GuardedOr<Channel*>(nullptr, [&]() -> Channel* {
    if (channels_.size() >= kMaxChannels) return nullptr;
    const bool waitingRoom = kind == ChannelKind::WaitingRoom;
    std::string tabText(name);
    if (!waitingRoom && !name.empty() && name.front() == '#') {
      tabText = settings_.RoomTitle.empty() ? std::string(name.substr(1)) : settings_.RoomTitle;
    }

    auto channel = std::make_unique<Channel>();
    channel->name = std::string(name);
    channel->kind = kind;
    channel->title = waitingRoom ? std::string(WaitingRoomTitle()) : settings_.RoomTitle;
    channel->view = std::make_unique<CChatDlg>(viewContext_, waitingRoom, [this] { OnHomePageClick(); });
    channel->view->Start();
    Channel* added = channel.get();
    channels_.push_back(std::move(channel));

    ports_.host.PlaceView(waitingRoom ? platform::HtmlViewRole::Home : platform::HtmlViewRole::Transcript,
                          added->view->view());
    ports_.host.InsertTab(tabText);
    SelectAndSwitch(TabIndexOf(added));
    if (IsMinimised()) {
      ports_.host.Restore();
      minimised_ = false;
    }
    ports_.host.BringToForeground();
    if (kind == ChannelKind::Room) added->view->page().AppendBeforeMarker("END_LINE", std::string(WelcomeBannerHtml()));
    return added;
  });
}

Channel* COrvintaDlg::FindChannelByName(std::string_view name) {
  const std::string_view wanted = text::Trim(name, " ");
  for (const auto& channel : channels_) {
    const bool listed = channel->kind == ChannelKind::WaitingRoom || channel->kind == ChannelKind::Room;
    if (listed && text::EqualsIgnoreCase(channel->name, wanted)) return channel.get();
  }
  return nullptr;
}

void COrvintaDlg::RemoveChannel(std::string_view name) {
  Guarded([&] {
    Channel* channel = FindChannelByName(name);
    if (!channel || channel->kind == ChannelKind::WaitingRoom) return;  // the waiting room stays
    const int index = TabIndexOf(channel);
    ports_.host.DeleteTab(index);
    std::unique_ptr<Channel> removed = std::move(channels_[index]);
    channels_.erase(channels_.begin() + index);
    if (removed.get() == current_) {
      current_ = nullptr;
      const int remaining = ports_.host.TabCount();
      SelectAndSwitch(remaining >= 2 && index >= 2 ? index - 1 : 0);
    }
    removed->members.clear();
    ports_.host.ReleaseView(removed->view->view());
  });
}

void COrvintaDlg::DeleteAllChannel() {
  Guarded([&] {
    current_ = nullptr;
    for (auto& channel : channels_) {
      channel->members.clear();
      ports_.host.ReleaseView(channel->view->view());
    }
    channels_.clear();
  });
}

void COrvintaDlg::OnTcnSelchangeTabChannel() {
  Guarded([&] {
    const int selected = ports_.host.SelectedTab();
    Channel* channel = ChannelAtTab(selected);
    if (!channel) return;
    userPane_->page().SetElementHtml("USER_LIST", "<SPAN ID=END_LINE></SPAN>");
    current_ = channel;
    UpdateNickCount();
    for (const auto& each : channels_) each->view->Show(each.get() == channel);
    userPane_->Show(selected != 0);
    welcomePane_->Show(selected == 0);
    const std::string name = channel->name;
    const std::string title = channel->title;
    SetActivity(name, false);
    RefreshNickList(*channel);
    SetTitle(name, title);
    ShowToolbarOf(*channel);
    ApplyInputFormat(*channel);
    if (channel->statusIndex >= 0 && channel->statusIndex <= 6) ports_.host.SelectStatus(channel->statusIndex);
    ports_.host.RepaintTabArea();
  });
}

void COrvintaDlg::ShowToolbarOf(const Channel& channel) {
  platform::ToolbarState state;
  state.faceName = std::string(FaceName(channel.fontFace));
  state.sizeText = std::to_string(channel.fontSize);
  state.textColour = channel.textColour;
  state.backColour = channel.backColour;
  state.bold = (channel.style & 1) != 0;
  state.italic = (channel.style & 2) != 0;
  state.underline = (channel.style & 4) != 0;
  ports_.host.ShowToolbarState(state);
}

void COrvintaDlg::SetTitle(std::string_view channelName, std::string_view title) {
  Guarded([&] {
    Channel* channel = FindChannelByName(channelName);
    if ((channel && channel->kind == ChannelKind::WaitingRoom) || text::Trim(channelName, " ") == WaitingRoomName()) {
      ports_.host.SetTitleText(std::string(WaitingRoomTitle()));
      return;
    }
    ports_.host.SetTitleText("");
    if (!channel) return;
    channel->title = SanitizeText(title);
    if (channel == current_) ports_.host.SetTitleText(std::string(text::Trim(text::Trim(channel->title, " "), ":")));
  });
}

void COrvintaDlg::SetActivity(std::string_view channelName, bool active) {
  Guarded([&] {
    const Channel* channel = FindChannelByName(channelName);
    ports_.host.SetTabImage(channel ? TabIndexOf(channel) : 0, active ? 1 : 0);
  });
}

void COrvintaDlg::BringChannelToFront(std::string_view name) {
  Guarded([&] {
    const Channel* channel = FindChannelByName(name);
    if (!channel) return;
    ports_.host.SelectTab(TabIndexOf(channel));
    ports_.host.FocusTabStrip();
    OnTcnSelchangeTabChannel();
  });
}

void COrvintaDlg::OnCopyData(const platform::CopyData& data) {
  Guarded([&] {
    std::string_view payload(data.bytes);
    payload = payload.substr(0, payload.find('\0'));  // the terminating zero and anything after it
    if (payload.size() > kMaxHandOverBytes) return;
    switch (data.dwData) {
      case kHandOver: OnHandOver(payload); break;
      case kInviteAnswer: OnInviteAnswer(payload); break;
      case kVoteAnswer: OnVoteAnswer(payload); break;
      default: break;
    }
  });
}

void COrvintaDlg::OnHandOver(std::string_view payload) {
  if (launchLock_ || payload.empty()) return;
  auto parts = text::Split(payload, '\n');
  parts.resize(5);
  for (auto& part : parts) part = text::Trim(part);
  const std::string_view userId = parts[0], roomKey = parts[1], peerId = parts[3], peerNick = parts[4];
  if (userId != settings_.UserId) return;  // another user's launch
  std::string title = text::RemoveChars(parts[2], "|");
  if (title.size() > kMaxTitleBytes) title = std::string(text::LeftBytes(title, kCutTitleBytes));
  settings_.RoomKey = std::string(roomKey);
  settings_.RoomTitle = title;
  // Without a usable room key there is no room to enter or to invite into.
  if (peerId != settings_.UserId && IsUsableRoomKey(roomKey)) {
    const std::string channelName = protocol::ChannelName(roomKey);
    if (const Channel* open = FindChannelByName(channelName)) {
      const int index = TabIndexOf(open);
      if (index >= 1) SelectAndSwitch(index);
    } else {
      session_->SendChatIn(roomKey);
    }
    if (!peerId.empty() && !peerNick.empty() && !FindMember(channelName, peerId)) {
      session_->SendInvite(peerId);
      settings_.InvitePending = true;
      StartInviteTimer();
    }
  }
  ports_.host.FlashOnce();
}

}  // namespace orvinta::window
