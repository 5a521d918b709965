// The Qt adapters of the ports that hold state of their own: the host's
// platform report, the window timers and the main window's tab strip.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "client/components/main_window.h"
#include "client/components/room_tabs/room_tab_ctrl.h"
#include "client/shell/platform_check.h"
#include "platform/qt/host_platform_info.h"
#include "platform/qt/qt_timers.h"

namespace orvinta::platform::qt {
namespace {

// CTest runs this once more under `setarch --uname-2.6`: an old kernel number
// must not refuse the program.
TEST(HostPlatformInfo, PassesTheStartupCheckWhateverTheKernel) {
  const HostPlatformInfo host;
  EXPECT_TRUE(shell::PlatformCheckPasses(host));
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
