#include "client/window/orvinta_dlg.h"

#include "client/window/window_dialogs.h"
#include "protocol/guarded.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kEndAll = "모든 오르빈타을 종료하시겠습니까?  ";
constexpr std::string_view kEndConversation = "대화를 종료하시겠습니까?  ";
constexpr std::string_view kLeftLine = "<BR><B>☆☆ %s님이 퇴장하셨습니다 ☆☆</B><BR><BR>";
constexpr std::string_view kNoBrowserNotice = "▷ 링크를 열 웹 브라우저를 찾지 못했습니다 ◁";

}  // namespace

COrvintaDlg::COrvintaDlg(LaunchSettings& settings, WindowPorts ports, PortalConfig portal)
    : settings_(settings),
      ports_(ports),
      portal_(std::move(portal)),
      router_(ports.timers),
      timers_(router_.OpenBlock([this](int id) { startup_.OnTimer(id); })),
      sessionTimers_(router_),
      localClock_(ports.clock ? *ports.clock : systemClock_),
      viewContext_{ports.views, ports.transcriptViews, ports.host, router_, homeLatch_, portal_, settings_},
      session_(std::make_unique<protocol::CZupChatMain>(
          *this, settings, protocol::SessionPorts{ports.transports, ports.boxes, ports.monitor, &sessionTimers_,
                                                     ports.connectPolicy})),
      welcomePane_(ports.views, platform::HtmlViewRole::Welcome, ports.shell),
      navigationPane_(ports.views, platform::HtmlViewRole::NavigationBar, ports.shell),
      members_(channels_, ports.memberViews, router_, portal_, settings_, *session_, ports.host),
      tabs_(channels_, viewContext_, flags_, members_, welcomePane_,
            {.showComposeSettings = [this](const Channel& channel) { composing_.ShowSettingsOf(channel); },
             .homeClicked = [this] { homePage_.OnHomePageClick(); },
             .focusInput = [input = ports.input] { if (input) input->Focus(); },
             .linkNotOpened = [this](const std::string& room) { transcript_.AddInfoLineHtml(room, kNoBrowserNotice); },
             .reachedTop = [this](const std::string& room) { OnReachedTop(room); }}),
      transcript_(channels_, tabs_, ports.host, ports.boxes, portal_, settings_),
      homePage_(channels_, tabs_, flags_, settings_, *session_, ports.shell, portal_),
      composing_(channels_, flags_, settings_, *session_, ports.host, ports.input, transcript_),
      prompts_(channels_, tabs_, transcript_, flags_, settings_, *session_, *timers_, ports.notifier),
      notices_(channels_, members_, transcript_, localClock_),
      startup_(channels_, tabs_, prompts_, flags_, settings_, *session_, ports.host, ports.boxes, *timers_,
               ports.config, {.connect = [this] { OnBnClickedButConnect(); }, .endProgram = [this] { EndProgram(); }}),
      memberMenu_(channels_, tabs_, members_, prompts_, flags_, settings_, *session_, portal_,
                  {ports.menus, ports.shell, ports.boxes}) {
  members_.Pane().SetButtonUpHandler([this](const std::string& id) { memberMenu_.OnMemberListClicked(id); });
  members_.Pane().SetMenuKeyHandler([this](const std::string& id, int x, int y) { memberMenu_.ShowFor(id, {x, y}); });
}

COrvintaDlg::~COrvintaDlg() {
  Guarded("closing the main window", [&] {
    if (flags_.connected) session_->Disconnect(true);
    tabs_.DeleteAllChannel();
  });
}

void COrvintaDlg::OnInitDialog() {
  const config::ConfigValues& stored = startup_.LoadConfig();
  composing_.TakeTexts(stored);
  flags_.connected = false;
  flags_.loggedIn = false;
  composing_.ShowSettingsOf(Channel{});  // a new room's settings until a room is shown

  ports_.host.PlaceView(platform::HtmlViewRole::NavigationBar, navigationPane_.View());
  ports_.host.PlaceView(platform::HtmlViewRole::Welcome, welcomePane_.View());
  ports_.host.PlaceMemberList(members_.Pane().View());
  navigationPane_.Start(portal_.navigationBarPage);
  welcomePane_.Start(portal_.welcomePage);

  tabs_.AddChannel(WaitingRoomName(), ChannelKind::WaitingRoom);
  channels_.SetCurrent(channels_.Home());
  tabs_.SelectAndSwitch(0);
  ports_.host.SelectStatus(0);

  startup_.PlaceWindow(stored);
}

void COrvintaDlg::SetConnectStatus(bool connected) {
  flags_.connected = connected;
  if (!connected) flags_.loggedIn = false;
}

void COrvintaDlg::RemoveNick(std::string_view channel, std::string_view id) {
  if (const auto nick = members_.RemoveNick(channel, id)) transcript_.AddInfoLine(channel, kLeftLine, {*nick});
}

std::size_t COrvintaDlg::EntryHistoryLines() {
  return static_cast<std::size_t>(std::clamp(transcript_.Preferences().entryHistoryLines, 0, kMaxEntryHistoryLines));
}

void COrvintaDlg::PutEarlierLines(std::string_view channel, std::span<const protocol::EarlierLine> lines) {
  Channel* room = channels_.FindByName(channel);
  if (!room || lines.empty()) return;
  if (transcript_.AddEarlierLines(channel, lines, localClock_.Now(), !room->historyDivider)) room->historyDivider = true;
}

void COrvintaDlg::AddEntryHistory(std::string_view channel, std::span<const protocol::EarlierLine> lines) {
  PutEarlierLines(channel, lines);
}

void COrvintaDlg::AddOlderLines(std::string_view channel, std::span<const protocol::EarlierLine> lines,
                                bool reachedStart) {
  PutEarlierLines(channel, lines);
  if (Channel* room = channels_.FindByName(channel); room && reachedStart) room->historyEnded = true;
}

void COrvintaDlg::OnReachedTop(const std::string& channel) {
  const Channel* room = channels_.FindByName(channel);
  // Lines dropped to keep the bound are older than any the view could be given.
  if (!room || room->historyEnded || !room->view || room->view->Lines().Dropped() > 0) return;
  if (flags_.loggedIn) session_->RequestOlderLines(channel);
}

void COrvintaDlg::EndProgram() {
  session_->Disconnect(false);
  for (int i = ports_.host.TabCount() - 1; i >= 1; --i) Closechat(i);
  OnClose();
}

void COrvintaDlg::OnBnClickedButConnect() {
  if (!flags_.connected) {
    session_->Connect();
    return;
  }
  const int selected = ports_.host.SelectedTab();
  if (selected <= 0) {
    if (ports_.host.TabCount() >= 2 && !Ask(ports_.boxes, kEndAll)) return;
    EndProgram();
    return;
  }
  AskAndClose(selected);
}

void COrvintaDlg::OnCloseTab(int tabIndex) {
  AskAndClose(tabIndex);
  ports_.host.RepaintTabArea();
}

void COrvintaDlg::AskAndClose(int tabIndex) {
  const Channel* asked = channels_.AtTab(tabIndex);
  if (!asked) return;
  const std::string name = asked->name;
  if (!Ask(ports_.boxes, kEndConversation)) return;
  // While the question was open the room may have gone or moved to another tab.
  const Channel* channel = channels_.FindByName(name);
  if (channel) Closechat(channels_.TabIndexOf(channel));
}

void COrvintaDlg::Closechat(int tabIndex) {
  if (tabIndex == -1) tabIndex = ports_.host.SelectedTab();
  const Channel* channel = channels_.AtTab(tabIndex);
  if (!channel || channel->kind == ChannelKind::WaitingRoom) return;
  const std::string name = channel->name;
  if (flags_.connected) {
    session_->SendChatOut(name);  // the tab goes when the leave is reported
  } else {
    tabs_.RemoveChannel(name);
  }
}

bool COrvintaDlg::OnSysCommand(SysCommand command) {
  switch (command) {
    case SysCommand::Minimize:
      flags_.minimised = true;
      return true;
    case SysCommand::Restore:
      flags_.minimised = false;
      return true;
    case SysCommand::Close:
      if (ports_.host.TabCount() > 1 && !Ask(ports_.boxes, kEndAll)) return false;
      OnClose();
      return true;
  }
  return true;
}

void COrvintaDlg::OnClose() {
  if (flags_.closed) return;
  flags_.closed = true;
  startup_.SaveConfig();
  Closechat(-1);
  startup_.KillAll();
  ports_.host.CloseWindow();
}

}  // namespace orvinta::window
