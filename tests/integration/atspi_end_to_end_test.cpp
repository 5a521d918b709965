// The real client read through the real AT-SPI bus under Xvfb by atspi_reader.py, in a room where a
// scripted member talks; skipped, saying why, where the packages for it are missing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "tests/integration/server_process.h"

namespace orvinta::integration {
namespace {

constexpr const char* kBusLauncher = "/usr/libexec/at-spi-bus-launcher";
// The system's Python, which Debian's python3-gi belongs to (not one a user put first on PATH).
constexpr const char* kPython = "/usr/bin/python3";

TEST(AtSpiEndToEnd, ScreenReaderFindsTheRoomSwitchesRoomsAndHearsALine) {
  for (const char* program : {"Xvfb", "xdotool", "dbus-run-session"}) {
    if (QStandardPaths::findExecutable(program).isEmpty()) GTEST_SKIP() << "needs " << program;
  }
  if (!QFileInfo::exists(kBusLauncher)) GTEST_SKIP() << "needs at-spi2-core";
  QProcess gi;
  gi.start(kPython, {"-c", "import gi; gi.require_version('Atspi', '2.0')"});
  if (!gi.waitForFinished(20000) || gi.exitCode() != 0) GTEST_SKIP() << "needs python3-gi, gir1.2-atspi-2.0";
  ServerProcess server({"--http-port", "0"});
  ASSERT_TRUE(server.started());
  QTemporaryDir runtime;
  KilledAtEnd peer, display, session;
  peer.process.start(ORVINTA_PEER_BINARY, {"--server", QString::fromStdString(server.address()), "--id", "bot",
                                           "--nick", QString::fromUtf8("오르빈봇"), "--room", "lobby", "--quiet"});
  const QString screen = QStringLiteral(":%1").arg(400 + getpid() % 500);
  display.process.start(QStringLiteral("Xvfb"), {screen, "-screen", "0", "1024x720x24", "-nolisten", "tcp"});
  ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists("/tmp/.X11-unix/X" + screen.mid(1)); }, 10000));

  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("DISPLAY", screen);
  environment.insert("XDG_RUNTIME_DIR", runtime.path());
  environment.insert("XDG_CONFIG_HOME", runtime.path());
  environment.insert("ORVINTA_PORTAL", QStringLiteral("http://127.0.0.1:%1/").arg(server.httpPort()));
  environment.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  environment.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
  environment.remove("QT_QPA_PLATFORM");
  session.process.setProcessEnvironment(environment);
  session.process.setProcessChannelMode(QProcess::MergedChannels);
  const QString room = QString::fromUtf8("오르빈타 로비");
  const QString launch = QStringLiteral("TRUE\n%1\nkey\nguest\n%2\n1001\nlobby\n%3\nFALSE\n\n\n")
                             .arg(QString::fromStdString(server.address()), QString::fromUtf8("손님"), room);
  // The bus, the client on it, its window given the keyboard, then the reader; the client goes with the session.
  const QString script = QStringLiteral(
      "%1 --launch-immediately & sleep 1; QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \"$0\" \"$1\" & c=$!; "
      "w=$(xdotool search --sync --onlyvisible --pid $c --name . | tail -n 1); sleep 3; xdotool windowfocus --sync $w; "
      "(sleep 6; xdotool type hello; xdotool key Return) & %2 \"$2\" $c \"$3\" \"$4\"; r=$?; kill $c; exit $r");
  session.process.start("dbus-run-session", {"--", "sh", "-c", script.arg(kBusLauncher, kPython), ORVINTA_CLIENT_BINARY,
                                             launch, ORVINTA_ATSPI_READER, room, QString::fromUtf8("네, 잘 들었습니다!")});
  ASSERT_TRUE(session.process.waitForFinished(150000)) << "the reading did not end in time";
  EXPECT_EQ(session.process.exitCode(), 0) << session.process.readAll().toStdString();
}

}  // namespace
}  // namespace orvinta::integration
