// The real client as a native Wayland client under weston's headless
// backend, in a room where a scripted member talks: the peer's lines come,
// an invitation rises as an overlay in the window's bottom-right corner, a
// second launch hands its room over, and weston's screenshot is kept
// (build/wayland-screenshot.png). Skipped, saying why, without weston or Qt's Wayland plugin.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "tests/integration/client_process.h"
#include "tests/integration/server_process.h"

namespace orvinta::integration {
namespace {

QString Missing() {
  for (const char* program : {"weston", "weston-screenshooter"}) {
    if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty()) return QLatin1String(program);
  }
  const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
  if (!QFileInfo::exists(plugins + "/platforms/libqwayland-generic.so")) return QStringLiteral("qt6-wayland");
  return {};
}

QString Launch(const ServerProcess& server, const char* id, const char* nick, const char* room, const char* title,
               const char* peer = "", const char* peerNick = "") {
  return QString::fromUtf8("TRUE\n%1\nkey\n%2\n%3\n1001\n%4\n%5\nFALSE\n%6\n%7")
      .arg(QString::fromStdString(server.address()), id, QString::fromUtf8(nick), room, QString::fromUtf8(title), peer,
           QString::fromUtf8(peerNick));
}

// Ends a helper process at the end of the test, whatever happened.
struct Running {
  QProcess process;
  ~Running() {
    process.kill();
    process.waitForFinished(5000);
  }
};

TEST(WaylandEndToEnd, RoomWithATalkingPeerThePopupOverlayAndTheHandOver) {
  if (const QString missing = Missing(); !missing.isEmpty()) GTEST_SKIP() << "needs " << missing.toStdString();
  ServerProcess server({"--http-port", "0"});
  ASSERT_TRUE(server.started());
  QTemporaryDir runtime;
  QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  Running westonRun, peerRun;
  QProcess &weston = westonRun.process, &peer = peerRun.process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_RUNTIME_DIR", runtime.path());
  environment.insert("WAYLAND_DISPLAY", "wl-orvinta");
  weston.setProcessEnvironment(environment);
  weston.start("weston", {"--backend=headless-backend.so", "--use-pixman", "--debug", "--width=1024", "--height=720",
                          "--socket=wl-orvinta", "--idle-time=0"});
  ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(runtime.filePath("wl-orvinta")); }, 10000));
  peer.start(ORVINTA_PEER_BINARY, {"--server", QString::fromStdString(server.address()), "--id", "bot", "--nick",
                                   QString::fromUtf8("오르빈봇"), "--room", "lobby", "--quiet"});
  qputenv("QT_QPA_PLATFORM", "wayland");
  // By its full path: a client with a runtime folder of its own finds weston too.
  qputenv("WAYLAND_DISPLAY", runtime.filePath("wl-orvinta").toUtf8());
  const QString portal = QStringLiteral("http://127.0.0.1:%1/").arg(server.httpPort());
  {
    ClientProcess guest(Launch(server, "guest", "손님", "lobby", "오르빈타 로비"), portal, runtime.path());
    ASSERT_TRUE(guest.WaitForReply("state", "current=#lobby").contains("loggedin=1")) << guest.Output().toStdString();
    EXPECT_TRUE(guest.WaitForReply("html #lobby CHAT_MAIN", QString::fromUtf8("오늘 날씨가 참 좋네요")).startsWith("ok"));

    // Alice opens a 1:1 room with guest: the invitation rises inside guest's window, 5 px from its corner.
    QTemporaryDir aliceRuntime;
    ClientProcess alice(Launch(server, "alice", "앨리스", "Pchatalice^guest", "1:1", "guest", "손님"), portal,
                        aliceRuntime.path());
    const QString popup = guest.WaitForReply("popup", "shown=1", 30000);
    EXPECT_TRUE(popup.startsWith("overlay shown=1")) << popup.toStdString() << alice.Output().toStdString();
    EXPECT_TRUE(guest.WaitForReply("popup", "height=130", 5000).contains("right=5 bottom=5"))
        << guest.Command("popup").toStdString();

    QProcess screenshooter;
    screenshooter.setProcessEnvironment(environment);
    screenshooter.setWorkingDirectory(runtime.path());
    screenshooter.start("weston-screenshooter", {});
    ASSERT_TRUE(screenshooter.waitForFinished(20000));
    const QStringList shots = QDir(runtime.path()).entryList({"*.png"});
    ASSERT_FALSE(shots.isEmpty()) << "weston-screenshooter wrote no picture";
    const QString kept = QStringLiteral(ORVINTA_BUILD_ROOT "/wayland-screenshot.png");
    QFile::remove(kept);
    EXPECT_TRUE(QFile::copy(runtime.filePath(shots.first()), kept));
    EXPECT_GT(QFileInfo(kept).size(), 10000);

    // A second launch for guest hands its room to the running client, on Wayland too.
    ClientProcess second(Launch(server, "guest", "손님", "second", "둘째 방"), portal, runtime.path());
    EXPECT_EQ(second.ExitCode(20000), 0) << second.Output().toStdString();
    EXPECT_TRUE(guest.WaitForReply("state", "current=#second").contains("current=#second"));
  }
  qunsetenv("QT_QPA_PLATFORM");
  qunsetenv("WAYLAND_DISPLAY");
}

}  // namespace
}  // namespace orvinta::integration
