// The Qt adapters of the ports that hold state of their own: the host's
// platform report, the window timers, the transport's last words and the main
// window's tab strip.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include "client/components/main_window.h"
#include "client/components/room_tabs/room_tab_ctrl.h"
#include "client/shell/platform_check.h"
#include "platform/qt/host_platform_info.h"
#include "platform/qt/qt_timers.h"
#include "platform/qt/qt_transport.h"
#include "tests/fakes/fake_ports.h"
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

template <typename Done>
bool SpinUntil(Done done, int timeoutMs = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

struct ConnectListener final : TransportListener {
  void OnConnect(int error) override { connected = error == 0; }
  void OnReceive() override {}
  void OnClose(int) override {}
  bool connected = false;
};

// What a closing client sends last (its leave) reaches the server in full,
// although the program ends right after.
TEST(QtTransport, BytesSentJustBeforeAGracefulCloseReachThePeer) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  ConnectListener listener;
  auto transport = std::make_unique<QtTransport>(listener);
  transport->Connect("127.0.0.1", server.serverPort());
  ASSERT_TRUE(SpinUntil([&] { return listener.connected && server.hasPendingConnections(); }));
  QTcpSocket* peer = server.nextPendingConnection();

  const std::string last(256 * 1024, 'x');
  ASSERT_EQ(transport->Send(last), static_cast<int>(last.size()));
  transport->CloseGracefully(500);
  transport.reset();
  QByteArray received;
  SpinUntil([&] {
    received += peer->readAll();
    return peer->state() == QAbstractSocket::UnconnectedState;
  });
  received += peer->readAll();
  EXPECT_EQ(received.size(), static_cast<qsizetype>(last.size()));
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

}  // namespace
}  // namespace orvinta::platform::qt
