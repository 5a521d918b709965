#include "client/window/channel_tabs.h"

#include "client/window/line_html.h"
#include "client/window/text_filters.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

// Tabs beyond this are not opened: every line for an unknown room opens one.
constexpr std::size_t kMaxChannels = 100;
constexpr int kLastStatusIndex = 6;

}  // namespace

ChannelTabs::ChannelTabs(ChannelList& channels, const ViewContext& views, WindowFlags& flags, MemberLists& members,
                         CPortalPane& welcomePane, ChannelTabHooks hooks)
    : channels_(channels),
      views_(views),
      host_(views.host),
      settings_(views.settings),
      flags_(flags),
      members_(members),
      welcomePane_(welcomePane),
      hooks_(std::move(hooks)),
      clock_(views.timers.OpenBlock([](int) {})) {}

bool ChannelTabs::IsMinimised() const { return flags_.minimised || host_.IsMinimised(); }

void ChannelTabs::SelectAndSwitch(int index) {
  host_.SelectTab(index);
  OnTcnSelchangeTabChannel();
}

Channel* ChannelTabs::AddChannel(std::string_view name, ChannelKind kind) {
  if (channels_.Size() >= kMaxChannels) return nullptr;
  const bool waitingRoom = kind == ChannelKind::WaitingRoom;
  std::string tabText(name);
  if (!waitingRoom && !name.empty() && name.front() == '#') {
    tabText = settings_.RoomTitle.empty() ? std::string(name.substr(1)) : settings_.RoomTitle;
  }

  auto channel = std::make_unique<Channel>();
  channel->name = std::string(name);
  channel->kind = kind;
  channel->title = waitingRoom ? std::string(WaitingRoomTitle()) : settings_.RoomTitle;
  channel->view = std::make_unique<CChatDlg>(
      views_, waitingRoom,
      [this] {
        if (hooks_.homeClicked) hooks_.homeClicked();
      },
      [this, room = channel->name] {
        if (hooks_.linkNotOpened) hooks_.linkNotOpened(room);
      },
      [this, room = channel->name] {
        if (hooks_.reachedTop) hooks_.reachedTop(room);
      });
  channel->view->Start();
  Channel* added = channels_.Add(std::move(channel));

  if (platform::HtmlView* page = added->view->HomePage()) host_.PlaceView(platform::HtmlViewRole::Home, *page);
  host_.InsertTab(tabText);
  SelectAndSwitch(channels_.TabIndexOf(added));
  if (IsMinimised()) {
    host_.Restore();
    flags_.minimised = false;
  }
  host_.BringToForeground();
  if (kind == ChannelKind::Room) added->view->AddLine(BannerLine());
  return added;
}

void ChannelTabs::OpenForUser(std::string_view name) {
  trafficRooms_.NoteUserEntered(name);
  if (!channels_.FindByName(name) && !name.empty() && name.front() == '#') AddChannel(name, ChannelKind::Room);
}

Channel* ChannelTabs::OpenForTraffic(std::string_view name) {
  if (Channel* channel = channels_.FindByName(name)) return channel;
  if (name.empty() || name.front() != '#' || !trafficRooms_.MayOpenForTraffic(name, clock_->NowMs())) return nullptr;
  Channel* added = AddChannel(name, ChannelKind::Room);
  if (added) trafficRooms_.NoteOpenedByTraffic(name);
  return added;
}

void ChannelTabs::RemoveChannel(std::string_view name) {
  Channel* channel = channels_.FindByName(name);
  if (!channel || channel->kind == ChannelKind::WaitingRoom) return;
  trafficRooms_.NoteClosed(channel->name, clock_->NowMs());
  mentioned_.erase(channel->name);
  const int index = channels_.TabIndexOf(channel);
  const bool wasCurrent = channel == channels_.Current();
  host_.DeleteTab(index);
  std::unique_ptr<Channel> removed = channels_.Take(index);
  if (wasCurrent) {
    const int remaining = host_.TabCount();
    SelectAndSwitch(remaining >= 2 && index >= 2 ? index - 1 : 0);
  }
  removed->members.clear();
  ReleaseView(*removed);
}

void ChannelTabs::ReleaseView(Channel& channel) {
  // A room's view leaves the window as it is destroyed; a page is released first.
  if (platform::HtmlView* page = channel.view->HomePage()) host_.ReleaseView(*page);
}

void ChannelTabs::DeleteAllChannel() {
  for (auto& channel : channels_.TakeAll()) {
    channel->members.clear();
    ReleaseView(*channel);
  }
}

void ChannelTabs::OnTcnSelchangeTabChannel() {
  const int selected = host_.SelectedTab();
  Channel* channel = channels_.AtTab(selected);
  if (!channel) return;
  members_.ClearNickList();
  channels_.SetCurrent(channel);
  members_.UpdateNickCount();
  for (const auto& each : channels_.All()) each->view->Show(each.get() == channel);
  members_.ShowPane(selected != 0);
  welcomePane_.Show(selected == 0);
  const std::string name = channel->name;
  const std::string title = channel->title;
  SetActivity(name, false);
  members_.RefreshNickList(*channel);
  SetTitle(name, title);
  if (hooks_.showComposeSettings) hooks_.showComposeSettings(*channel);
  if (channel->statusIndex >= 0 && channel->statusIndex <= kLastStatusIndex) host_.SelectStatus(channel->statusIndex);
  host_.RepaintTabArea();
  if (hooks_.focusInput) hooks_.focusInput();
}

void ChannelTabs::SetTitle(std::string_view channelName, std::string_view title) {
  Channel* channel = channels_.FindByName(channelName);
  if ((channel && channel->kind == ChannelKind::WaitingRoom) || text::Trim(channelName, " ") == WaitingRoomName()) {
    host_.SetTitleText(std::string(WaitingRoomTitle()));
    return;
  }
  host_.SetTitleText("");
  if (!channel) return;
  channel->title = SanitizeText(title);
  if (channel == channels_.Current()) host_.SetTitleText(std::string(text::Trim(text::Trim(channel->title, " "), ":")));
}

void ChannelTabs::SetActivity(std::string_view channelName, bool active) {
  constexpr int kIdle = 0, kActivity = 1, kMention = 2;
  const auto mentioned = mentioned_.find(channelName);
  if (!active && mentioned != mentioned_.end()) mentioned_.erase(mentioned);
  const Channel* channel = channels_.FindByName(channelName);
  const int image = !active ? kIdle : mentioned_.count(channelName) ? kMention : kActivity;
  host_.SetTabImage(channel ? channels_.TabIndexOf(channel) : 0, image);
}

void ChannelTabs::SetMention(std::string_view channelName) {
  mentioned_.emplace(channelName);
  SetActivity(channelName, true);
}

void ChannelTabs::BringChannelToFront(std::string_view channelName) {
  const Channel* channel = channels_.FindByName(channelName);
  if (!channel) return;
  host_.SelectTab(channels_.TabIndexOf(channel));
  host_.FocusTabStrip();
  OnTcnSelchangeTabChannel();
}

}  // namespace orvinta::window
