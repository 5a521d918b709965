#pragma once
// A main window wired to fakes: in-memory pages, a manual clock, recorded
// boxes, a scripted connection. A page skeleton stands in for page 107.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "client/components/config/window_placement.h"
#include "client/window/orvinta_dlg.h"
#include "tests/fakes/fake_html_view.h"
#include "tests/fakes/fake_transcript_view.h"
#include "tests/fakes/fake_input_line.h"
#include "tests/fakes/fake_member_list.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/fake_prompt_port.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_timers.h"
#include "tests/fakes/fake_transport.h"
#include "tests/fakes/sent_frames.h"
#include "tests/fakes/fake_window_host.h"

namespace orvinta::window {


using FakeNotifier = fakes::FakePromptPort;

// The time of day moves with the fake timers, from 12:00:00.
struct TimersClock final : platform::LocalClock {
  explicit TimersClock(const fakes::FakeTimers& t) : timers(t) {}
  std::tm Now() override {
    std::tm t{.tm_sec = static_cast<int>(timers.now() / 1000), .tm_hour = 12, .tm_mday = 5, .tm_year = 126, .tm_isdst = -1};
    return std::mktime(&t), t;
  }
  const fakes::FakeTimers& timers;
};

class FakeConfigStore final : public WindowConfigStore {
 public:
  const config::ConfigValues& LoadConfig() override {
    ++loads;
    return stored;
  }
  void SaveConfig(const platform::WindowRect& normalRect) override {
    config::StoreWindowRect(normalRect, stored);
    ++saves;
  }
  // A rectangle as a closing window would have stored it.
  void Keep(const platform::WindowRect& rect) { config::StoreWindowRect(rect, stored); }
  config::ConfigValues stored;
  int loads = 0;
  int saves = 0;
};

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    settings.UserId = "alice";
    settings.Nick = "앨리스";
    settings.IconNo = "1234";
    settings.SessionKey = "sk1";
    settings.ServerAddress = "127.0.0.1:7000";
    settings.RoomTitle = "수다방";
  }

  void Create() {
    dlg.reset();
    dlg = std::make_unique<COrvintaDlg>(
        settings, WindowPorts{host, views, timers, boxes, sound, shell, transports, nullptr, &notifier, &config,
                               &input, nullptr, &memberViews, &clock, &transcriptViews},
        portal);
    dlg->OnInitDialog();
  }

  // Start-up through the login: timer 2 connects, the connection comes up, USRP arrives.
  void StartAndLogin() {
    if (!dlg) Create();
    dlg->StartStartupTimers();
    timers.Advance(600);
    transport().AcceptConnect();
    ReceiveFrame("USRP", "");
    transport().ClearSent();
  }

  fakes::FakeTransport& transport() { return *transports.last(); }
  void ReceiveFrame(std::string_view command, std::string_view body) {
    transport().Deliver(protocol::MakeFrame(command, body));
  }
  // Every frame written so far, as "CMND:plain body".
  std::vector<std::string> SentFrames() {
    return fakes::DecodeSentFrames(transport().sent());
  }

  // A room's transcript view.
  fakes::FakeTranscriptView& ViewOf(std::string_view channel) {
    Channel* c = dlg->Channels().FindByName(channel);
    EXPECT_NE(c, nullptr) << channel;
    auto& live = transcriptViews.live;
    const auto found = std::find_if(live.begin(), live.end(), [&](auto* v) { return &v->lines == &c->view->Lines(); });
    EXPECT_NE(found, live.end()) << channel;
    return **found;
  }
  // The waiting room's page.
  fakes::FakeHtmlView& HomeView() { return *views.Find(platform::HtmlViewRole::Home); }
  fakes::FakeMemberList& UserView() { return static_cast<fakes::FakeMemberList&>(dlg->Members().Pane().View()); }
  // The user enters a room as a second launch would have it enter.
  void EnterRoom(std::string_view key) {
    dlg->OnCopyData({StartupAndTimers::kHandOver, settings.UserId + "\n" + std::string(key) + "\n\n\n"});
  }
  // Opens a room tab the way the session's entry line does.
  Channel* OpenRoom(std::string_view key) { return dlg->Tabs().AddChannel("#" + std::string(key), ChannelKind::Room); }

  LaunchSettings settings;
  PortalConfig portal;
  fakes::FakeWindowHost host;
  fakes::FakeHtmlViewFactory views;
  fakes::FakeTranscriptViewFactory transcriptViews{portal};
  fakes::FakeMemberListFactory memberViews;
  fakes::FakeTimers timers;
  TimersClock clock{timers};
  fakes::FakeMessageBoxes boxes;
  fakes::FakeSound sound;
  fakes::FakeShell shell;
  fakes::FakeTransportFactory transports;
  FakeNotifier notifier;
  FakeConfigStore config;
  fakes::FakeInputLine input;
  std::unique_ptr<COrvintaDlg> dlg;
};

// Number of times `needle` occurs in `hay`.
inline int Occurrences(const std::string& hay, const std::string& needle) {
  int n = 0;
  for (auto pos = hay.find(needle); pos != std::string::npos; pos = hay.find(needle, pos + needle.size())) ++n;
  return n;
}

}  // namespace orvinta::window
