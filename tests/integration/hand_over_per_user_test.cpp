// Two users on one desktop: each launch reaches only its own user's running
// client, through a folder that is ours alone; and a room that opens, by
// launch or by hand-over, takes the keyboard to its input line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

#include "client/shell/hand_over.h"
#include "platform/qt/qt_single_instance.h"
#include "tests/integration/client_process.h"
#include "tests/integration/server_process.h"

namespace orvinta::integration {
namespace {

QString Launch(const ServerProcess& server, const char* id, const char* room) {
  return QStringLiteral("TRUE\n%1\nkey\n%2\n%2\n1001\n%3\n%3\nFALSE")
      .arg(QString::fromStdString(server.address()), QLatin1String(id), QLatin1String(room));
}

QString EndpointIn(const QTemporaryDir& runtime, const char* id) {
  return runtime.path() + QLatin1Char('/') + QString::fromStdString(shell::HandOverEndpoint(id));
}

TEST(HandOverPerUser, EachUserGetsAWindowAndOnlyTheirOwnHandOvers) {
  ServerProcess server({"--http-port", "0"});
  ASSERT_TRUE(server.started());
  const QString portal = QStringLiteral("http://127.0.0.1:%1/").arg(server.httpPort());
  QTemporaryDir runtime;  // the desktop's one runtime folder
  ASSERT_TRUE(runtime.isValid());

  ClientProcess alice(Launch(server, "alice", "lobby"), portal, runtime.path());
  const QString aliceState = alice.WaitForReply("state", "current=#lobby");
  ASSERT_TRUE(aliceState.contains("loggedin=1")) << alice.Output().toStdString();
  EXPECT_TRUE(aliceState.contains("focus=input")) << aliceState.toStdString();
  ASSERT_TRUE(QFile::exists(EndpointIn(runtime, "alice")));

  // Bob's launch must not be swallowed by alice's client.
  ClientProcess bob(Launch(server, "bob", "lobby"), portal, runtime.path());
  ASSERT_TRUE(bob.WaitForReply("state", "current=#lobby").contains("loggedin=1")) << bob.Output().toStdString();
  EXPECT_TRUE(bob.running());
  EXPECT_TRUE(QFile::exists(EndpointIn(runtime, "bob")));

  // Alice's second launch hands its room to her client, says so truly, and ends.
  ClientProcess aliceAgain(Launch(server, "alice", "garden"), portal, runtime.path());
  EXPECT_EQ(aliceAgain.ExitCode(30000), 0);
  EXPECT_TRUE(aliceAgain.Output().contains("already running for alice")) << aliceAgain.Output().toStdString();
  const QString handedOver = alice.WaitForReply("state", "current=#garden");
  EXPECT_TRUE(handedOver.contains("tabs=3")) << handedOver.toStdString();
  EXPECT_TRUE(handedOver.contains("focus=input")) << handedOver.toStdString();
  EXPECT_FALSE(bob.Command("state").contains("#garden"));

  // A tab the user chooses gives the keyboard back to the input line.
  ASSERT_EQ(alice.Command("tab 1"), "ok");
  EXPECT_TRUE(alice.Command("state").contains("focus=input current=#lobby"));
}

TEST(HandOverPerUser, ALaunchNobodyConfirmedIsNotAHandOver) {
  QTemporaryDir runtime;
  ASSERT_TRUE(runtime.isValid());
  qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
  platform::qt::QtSingleInstance launch;
  EXPECT_FALSE(launch.SendToRunning(shell::HandOverEndpoint("carol"), {platform::kHandOverId, std::string("x", 2)}));
  // A stale socket file left by a crashed client answers nobody either.
  QFile stale(EndpointIn(runtime, "carol"));
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();
  EXPECT_FALSE(launch.SendToRunning(shell::HandOverEndpoint("carol"), {platform::kHandOverId, std::string("x", 2)}));
  EXPECT_FALSE(launch.Listen("a/b", nullptr));  // an endpoint is a name, never a path

  // Someone listens but never confirms (a client of an older build, or a hung one).
  QFile::remove(stale.fileName());
  QLocalServer silent;
  ASSERT_TRUE(silent.listen(stale.fileName()));
  EXPECT_FALSE(launch.SendToRunning(shell::HandOverEndpoint("carol"), {platform::kHandOverId, std::string("x", 2)}));
}

TEST(HandOverPerUser, OnlyAFolderOfOursAloneHoldsTheEndpoints) {
  QTemporaryDir base;
  ASSERT_TRUE(base.isValid());
  const auto folder = [&](const char* name, mode_t mode) {
    const QString path = base.path() + QLatin1Char('/') + QLatin1String(name);
    QDir().mkdir(path);
    chmod(QFile::encodeName(path).constData(), mode);
    return path;
  };
  const QString ours = folder("ours", 0700);
  const QString link = base.path() + QStringLiteral("/link");
  ASSERT_EQ(symlink(QFile::encodeName(ours).constData(), QFile::encodeName(link).constData()), 0);
  const struct {
    const char* what;
    QString path;
    bool usable;
  } cases[] = {
      {"ours with mode 0700", ours, true},
      {"readable by others", folder("open", 0755), false},
      {"writable by the group", folder("group", 0770), false},
      {"a link to ours", link, false},
      {"missing", base.path() + QStringLiteral("/none"), false},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::qt::QtSingleInstance::IsPrivateFolder(c.path), c.usable) << c.what;

  // Made by another user: only root can stage that.
  if (geteuid() == 0) {
    const QString theirs = folder("theirs", 0700);
    ASSERT_EQ(chown(QFile::encodeName(theirs).constData(), 65534, 65534), 0);
    EXPECT_FALSE(platform::qt::QtSingleInstance::IsPrivateFolder(theirs));
  }
}

}  // namespace
}  // namespace orvinta::integration
