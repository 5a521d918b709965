// The Qt adapters of the ports that hold state of their own: the host's platform
// report, the timers, the tab strip, the transport's closing, the web view.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <future>
#include <optional>
#include <thread>

#include "client/components/main_window.h"
#include "client/components/room_tabs/room_tab_ctrl.h"
#include "client/components/web_view.h"
#include "client/shell/platform_check.h"
#include "platform/qt/host_platform_info.h"
#include "platform/qt/qt_timers.h"
#include "platform/qt/qt_transport.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/qt_spin.h"
#include "webcontrol/environment_check.h"

namespace orvinta::platform::qt {
namespace {

// CTest runs this once more under `setarch --uname-2.6`: an old kernel number
// must not refuse the program.
TEST(HostPlatformInfo, PassesTheStartupCheckWhateverTheKernel) {
  const HostPlatformInfo host;
  EXPECT_TRUE(shell::PlatformCheckPasses(host));
  // The web control makes the same check before it shows itself, without a box.
  fakes::FakeMessageBoxes boxes;
  std::uint16_t versionWord = 0;
  EXPECT_TRUE(quendel::RunEnvironmentCheck(host, boxes, versionWord));
  EXPECT_GT(versionWord, 4);
  EXPECT_TRUE(boxes.shown.empty());
}

int LiveTimers(QtTimers& timers) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return static_cast<int>(timers.findChildren<QTimer*>().size());
}

TEST(QtTimers, KilledTimersAreFreedEvenFromTheirOwnExpiry) {
  QtTimers timers;
  std::vector<int> expired;
  timers.SetHandler([&](int id) {
    expired.push_back(id);
    timers.Kill(id);  // a one-shot, as the views' loading timers are
  });
  for (int id = 1000; id < 1100; ++id) timers.Set(id, 0);
  timers.Set(7, 60000);
  EXPECT_EQ(LiveTimers(timers), 101);
  for (int i = 0; i < 50 && expired.size() < 100; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_EQ(expired.size(), 100u);
  EXPECT_EQ(LiveTimers(timers), 1);
  EXPECT_TRUE(timers.IsRunning(7));
  timers.Kill(7);
  EXPECT_FALSE(timers.IsRunning(7));
  EXPECT_EQ(LiveTimers(timers), 0);
}

TEST(MainWindowTabs, TheDrawnStripKeepsTheTitleAsGiven) {
  components::MainWindow window;
  window.InsertTab("Tom&Jerry");
  const auto* tabs = window.findChild<components::CRoomTabCtrl*>(QStringLiteral("roomTabs"));
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->TabText(0), "Tom&Jerry");
  EXPECT_EQ(window.TabCount(), 1);
}

struct ConnectOnly final : TransportListener {
  void OnConnect(int error) override { connected = error == 0; }
  void OnReceive() override {}
  void OnClose(int) override {}
  bool connected = false;
};

// Closing as the running program does, inside its event loop, returns at
// once; what was sent last (the leave) still reaches the peer in full. The
// peer, in a thread of its own, closes only once our side has returned (or,
// to bound a failure, after ten seconds).
TEST(QtTransport, AGracefulCloseReturnsAtOnceAndStillDeliversTheLastBytes) {
  const int server = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), length), 0);
  ASSERT_EQ(::listen(server, 1), 0);
  ::getsockname(server, reinterpret_cast<sockaddr*>(&address), &length);
  std::promise<void> returned;
  std::atomic<int> closedAfterReturn{-1};
  std::atomic<std::size_t> received{0};
  std::thread peer([&, told = returned.get_future()] {
    const int connection = ::accept(server, nullptr, nullptr);
    char bytes[4096];
    for (ssize_t n; (n = ::read(connection, bytes, sizeof bytes)) > 0;) received += static_cast<std::size_t>(n);
    closedAfterReturn = told.wait_for(std::chrono::seconds(10)) == std::future_status::ready ? 1 : 0;
    ::close(connection);
  });
  ConnectOnly listener;
  auto transport = std::make_unique<QtTransport>(listener);
  transport->Connect("127.0.0.1", ntohs(address.sin_port), false);
  ASSERT_TRUE(Spin([&] { return listener.connected; }));
  const std::string last(256 * 1024, 'x');
  ASSERT_EQ(transport->Send(last), static_cast<int>(last.size()));
  QEventLoop loop;
  QTimer::singleShot(0, &loop, [&] {
    transport->CloseGracefully(60000);
    transport.reset();
    returned.set_value();
    loop.quit();
  });
  loop.exec();
  Spin([&] { return closedAfterReturn >= 0; });
  peer.join();
  ::close(server);
  EXPECT_EQ(closedAfterReturn, 1);
  EXPECT_EQ(received, last.size());
}

TEST(WebView, AViewWithoutAPageStillAnswersEmpty) {
  components::WebView view(HtmlViewRole::Home);
  delete view.Widget();  // as when the window holding it goes first
  std::optional<std::string> html;
  view.GetElementHtml("CHAT_MAIN", [&](const std::string& value) { html = value; });
  EXPECT_FALSE(html) << "never from inside the call";
  EXPECT_TRUE(Spin([&] { return html == ""; }, 2000));
}

TEST(WebView, ViewsLetGoAfterTheLoopAreDeletedBeforeTheEngineStops) {
  QPointer<QWidget> widget;
  {
    const components::ViewsGoBeforeTheEngine flush;
    widget = components::WebView(HtmlViewRole::Welcome).Widget();
    ASSERT_FALSE(widget.isNull()) << "deleted later, as a view goes";
  }
  EXPECT_TRUE(widget.isNull());
}

}  // namespace
}  // namespace orvinta::platform::qt
