// The main window's life: start, timers, connection state and closing.
#include "client/window/orvinta_dlg.h"

#include "protocol/guarded.h"
#include "protocol/ui_text.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kCannotConnect = "서버에 접속할 수 없습니다.";
constexpr std::string_view kEndAll = "모든 오르빈타을 종료하시겠습니까?  ";
constexpr std::string_view kEndConversation = "대화를 종료하시겠습니까?  ";
constexpr int kMinWidth = 600;
constexpr int kMinHeight = 415;

}  // namespace

COrvintaDlg::COrvintaDlg(LaunchSettings& settings, WindowPorts ports, PortalConfig portal)
    : settings_(settings),
      ports_(ports),
      portal_(std::move(portal)),
      router_(ports.timers),
      timers_(router_.OpenBlock([this](int id) { OnTimer(id); })),
      viewContext_{ports.views, ports.host, router_, transcriptLatch_, portal_, settings_},
      welcomePane_(std::make_unique<CPortalPane>(ports.views, platform::HtmlViewRole::Welcome, ports.shell)),
      navigationPane_(std::make_unique<CPortalPane>(ports.views, platform::HtmlViewRole::NavigationBar, ports.shell)),
      userPane_(std::make_unique<CUserDlg>(ports.views, portal_, [this] {
        // Sets queued before the page loaded land after the queued rows and
        // would leave the list empty: draw it again from the model.
        if (current_) RefreshNickList(*current_);
      })),
      session_(std::make_unique<protocol::CZupChatMain>(
          *this, settings, protocol::SessionPorts{ports.transports, ports.boxes, ports.monitor})) {}

COrvintaDlg::~COrvintaDlg() {
  Guarded([&] {
    if (connected_) session_->Disconnect(true);
    DeleteAllChannel();
  });
}

void COrvintaDlg::OnInitDialog() {
  Guarded([&] {
    const platform::WindowRect saved = ports_.config ? ports_.config->LoadConfig() : platform::WindowRect{};
    connected_ = false;
    loggedIn_ = false;
    ports_.host.ShowToolbarState(platform::ToolbarState{"굴림", "9"});

    ports_.host.PlaceView(platform::HtmlViewRole::NavigationBar, navigationPane_->view());
    ports_.host.PlaceView(platform::HtmlViewRole::Welcome, welcomePane_->view());
    ports_.host.PlaceView(platform::HtmlViewRole::UserList, userPane_->view());
    navigationPane_->Start(portal_.navigationBarPage);
    welcomePane_->Start(portal_.welcomePage);
    userPane_->Start();

    AddChannel(WaitingRoomName(), ChannelKind::WaitingRoom);
    current_ = channels_.empty() ? nullptr : channels_.front().get();
    SelectAndSwitch(0);
    ports_.host.SelectStatus(0);

    if (saved.width >= kMinWidth && saved.height >= kMinHeight) {
      ports_.host.MoveWindow(saved);
    } else {
      ports_.host.ResizeWindow(kMinWidth, kMinHeight);
    }
  });
}

void COrvintaDlg::StartStartupTimers() {
  Guarded([&] {
    launchLock_ = true;
    timers_->Set(kStartTimer, kStartDelayMs);
    timers_->Set(kLoginWatchdog, kLoginWatchdogMs);
  });
}

void COrvintaDlg::OnTimer(int id) {
  Guarded([&] {
    switch (id) {
      case kVoteTimer: OnVoteTimer(); break;
      case kStartTimer: OnStartTimer(); break;
      case kLoginWatchdog: OnLoginWatchdog(); break;
      case kInviteTimer: StopInviteTimer(); break;
      default: timers_->Kill(id);
    }
  });
}

void COrvintaDlg::OnStartTimer() {
  timers_->Kill(kStartTimer);
  launchLock_ = false;
  OnBnClickedButConnect();
}

void COrvintaDlg::OnLoginWatchdog() {
  timers_->Kill(kLoginWatchdog);
  if (loggedIn_) return;
  Tell(kCannotConnect);
  EndProgram();
}

void COrvintaDlg::StopLoginWatchdog() {
  Guarded([&] { timers_->Kill(kLoginWatchdog); });
}

void COrvintaDlg::StartInviteTimer() {
  Guarded([&] { timers_->Set(kInviteTimer, kInviteWaitMs); });
}

void COrvintaDlg::StopInviteTimer() {
  Guarded([&] {
    timers_->Kill(kInviteTimer);
    settings_.InvitePending = false;
  });
}

void COrvintaDlg::SetConnectStatus(bool connected) {
  connected_ = connected;
  if (!connected) loggedIn_ = false;
}

bool COrvintaDlg::IsMinimised() const { return minimised_ || ports_.host.IsMinimised(); }

bool COrvintaDlg::Ask(std::string_view text) {
  return ports_.boxes.Show(std::string(text), std::string(ui_text::BoxCaption()), platform::BoxButtons::YesNo) ==
         platform::BoxAnswer::Yes;
}

void COrvintaDlg::Tell(std::string_view text) {
  ports_.boxes.Show(std::string(text), std::string(ui_text::BoxCaption()), platform::BoxButtons::Ok);
}

void COrvintaDlg::EndProgram() {
  session_->Disconnect(false);
  for (int i = ports_.host.TabCount() - 1; i >= 1; --i) Closechat(i);
  OnClose();
}

void COrvintaDlg::OnBnClickedButConnect() {
  Guarded([&] {
    if (!connected_) {
      session_->Connect();
      return;
    }
    const int selected = ports_.host.SelectedTab();
    if (selected <= 0) {
      if (ports_.host.TabCount() >= 2 && !Ask(kEndAll)) return;
      EndProgram();
      return;
    }
    AskAndClose(selected);
  });
}

void COrvintaDlg::OnCloseTab(int tabIndex) {
  Guarded([&] {
    AskAndClose(tabIndex);
    ports_.host.RepaintTabArea();
  });
}

void COrvintaDlg::AskAndClose(int tabIndex) {
  const Channel* asked = ChannelAtTab(tabIndex);
  if (!asked) return;
  const std::string name = asked->name;
  if (!Ask(kEndConversation)) return;
  // While the question was open the room may have gone or moved to another tab.
  const Channel* channel = FindChannelByName(name);
  if (channel) Closechat(TabIndexOf(channel));
}

void COrvintaDlg::Closechat(int tabIndex) {
  Guarded([&] {
    if (tabIndex == -1) tabIndex = ports_.host.SelectedTab();
    const Channel* channel = ChannelAtTab(tabIndex);
    if (!channel || channel->kind == ChannelKind::WaitingRoom) return;
    const std::string name = channel->name;
    if (connected_) {
      session_->SendChatOut(name);  // the tab goes when the leave is reported
    } else {
      RemoveChannel(name);
    }
  });
}

bool COrvintaDlg::OnSysCommand(SysCommand command) {
  return GuardedOr(false, [&] {
    switch (command) {
      case SysCommand::Minimize:
        minimised_ = true;
        return true;
      case SysCommand::Restore:
        minimised_ = false;
        return true;
      case SysCommand::Close:
        if (ports_.host.TabCount() > 1 && !Ask(kEndAll)) return false;
        OnClose();
        return true;
    }
    return true;
  });
}

void COrvintaDlg::OnClose() {
  Guarded([&] {
    if (closed_) return;
    closed_ = true;
    if (ports_.config) ports_.config->SaveConfig(ports_.host.GetWindowRect());
    Closechat(-1);
    timers_->Kill(kVoteTimer);
    timers_->Kill(kStartTimer);
    timers_->Kill(kLoginWatchdog);
    timers_->Kill(kInviteTimer);
    ports_.host.CloseWindow();
  });
}

}  // namespace orvinta::window
