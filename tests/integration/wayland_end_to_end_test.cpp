// The real client as a native Wayland client under weston's headless backend, with a scripted member
// talking; weston's screenshot is kept (build/wayland-screenshot.png). Skipped without weston or qt6-wayland.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "tests/integration/client_process.h"
#include "tests/integration/server_process.h"

namespace orvinta::integration {
namespace {

// The launch text: the server, then fields 4 to 11 given "|"-separated.
QString Launch(const ServerProcess& server, const char* fields) {
  const QStringList f = QString::fromUtf8(fields).split('|');
  return QStringLiteral("TRUE\n%1\nkey\n%2\n%3\n1001\n%4\n%5\nFALSE\n%6\n%7")
      .arg(QString::fromStdString(server.address()), f[0], f[1], f[2], f[3], f[4], f[5]);
}

TEST(WaylandEndToEnd, RoomWithATalkingPeerThePopupOverlayAndTheHandOver) {
  for (const char* program : {"weston", "weston-screenshooter"}) {
    if (QStandardPaths::findExecutable(program).isEmpty()) GTEST_SKIP() << "needs " << program;
  }
  if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqwayland-generic.so")) {
    GTEST_SKIP() << "needs qt6-wayland";
  }
  ServerProcess server({"--http-port", "0"});
  ASSERT_TRUE(server.started());
  QTemporaryDir runtime;
  QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  // By its full path, so that a client with a runtime folder of its own finds weston too.
  const QString socket = runtime.filePath("wl-orvinta");
  qputenv("QT_QPA_PLATFORM", "wayland");
  qputenv("WAYLAND_DISPLAY", socket.toUtf8());
  KilledAtEnd weston, peer;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_RUNTIME_DIR", runtime.path());
  weston.process.setProcessEnvironment(environment);
  weston.process.start("weston", {"--backend=headless-backend.so", "--use-pixman", "--debug", "--width=1024",
                                  "--height=720", "--socket=wl-orvinta", "--idle-time=0"});
  ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(socket); }, 10000));
  peer.process.start(ORVINTA_PEER_BINARY, {"--server", QString::fromStdString(server.address()), "--id", "bot",
                                           "--nick", QString::fromUtf8("오르빈봇"), "--room", "lobby", "--quiet"});
  const QString portal = QStringLiteral("http://127.0.0.1:%1/").arg(server.httpPort());
  ClientProcess guest(Launch(server, "guest|손님|lobby|오르빈타 로비||"), portal, runtime.path());
  ASSERT_TRUE(guest.WaitForReply("state", "current=#lobby").contains("loggedin=1")) << guest.Output().toStdString();
  EXPECT_TRUE(guest.WaitForReply("html #lobby CHAT_MAIN", QString::fromUtf8("오늘 날씨가 참 좋네요")).startsWith("ok"));

  // Alice opens a 1:1 room with guest: the invitation rises inside guest's window, 5 px from its corner.
  QTemporaryDir aliceRuntime;
  ClientProcess alice(Launch(server, "alice|앨리스|Pchatalice^guest|1:1|guest|손님"), portal, aliceRuntime.path());
  EXPECT_TRUE(guest.WaitForReply("popup", "shown=1", 30000).startsWith("overlay shown=1"));
  EXPECT_TRUE(guest.WaitForReply("popup", "height=130", 5000).contains("right=5 bottom=5"));
  QProcess shooter;
  shooter.setWorkingDirectory(runtime.path());
  shooter.start("weston-screenshooter", {});
  ASSERT_TRUE(shooter.waitForFinished(20000));
  const QStringList shots = QDir(runtime.path()).entryList({"*.png"});
  ASSERT_FALSE(shots.isEmpty()) << "weston-screenshooter wrote no picture";
  QFile::remove(ORVINTA_BUILD_ROOT "/wayland-screenshot.png");
  EXPECT_TRUE(QFile::copy(runtime.filePath(shots.first()), ORVINTA_BUILD_ROOT "/wayland-screenshot.png"));

  // A second launch for guest hands its room to the running client, on Wayland too.
  ClientProcess second(Launch(server, "guest|손님|second|둘째 방||"), portal, runtime.path());
  EXPECT_EQ(second.ExitCode(20000), 0) << second.Output().toStdString();
  EXPECT_TRUE(guest.WaitForReply("state", "current=#second").contains("current=#second"));
}

}  // namespace
}  // namespace orvinta::integration
