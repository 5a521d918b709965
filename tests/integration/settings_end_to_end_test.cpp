// Settings that last: the header, footer and F10 text kept in Orvinta.cfg go
// into the lines a real client sends, and the file the client writes as it
// closes carries them, with its rectangle, into the next start. What
// orvinta.conf forbids is never tried, whatever the launch text says.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <tuple>
#include <QTemporaryDir>

#include "client/components/config/config.h"
#include "platform/qt/qt_text.h"
#include "tests/integration/client_process.h"
#include "tests/integration/server_process.h"

namespace orvinta::integration {
namespace {

using platform::qt::ToCp949;

QString Launch(const QString& server, const QString& id, const QString& nick) {
  return QStringLiteral("TRUE\n%1\nsession\n%2\n%3\n1001\ncfg\n설정 시험방\nFALSE\n\n\n").arg(server, id, nick);
}

std::string ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

TEST(SettingsEndToEnd, HeaderFooterAndF10LastAcrossARestart) {
  QTemporaryDir configHome;
  ASSERT_TRUE(configHome.isValid());
  const QString path = configHome.path() + QStringLiteral("/orvinta/Orvinta.cfg");
  config::ConfigValues kept;
  kept.Header = ToCp949(QStringLiteral("[머리]"));
  kept.Footer = ToCp949(QStringLiteral("[꼬리]"));
  kept.Shortcut[9] = ToCp949(QStringLiteral("잘 가요"));
  kept.WindowWidth = 599;  // too narrow to be used: the client's own rectangle replaces it
  ASSERT_TRUE(QDir().mkpath(configHome.path() + QStringLiteral("/orvinta")));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes = config::StoreConfig(kept);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }

  // The second start reads the file the first one wrote as it closed.
  for (int start = 1; start <= 2; ++start) {
    SCOPED_TRACE(start);
    ServerProcess server({"--http-port", "0"});
    ASSERT_TRUE(server.started());
    const QString address = QString::fromStdString(server.address());
    const QString portal = QStringLiteral("http://127.0.0.1:%1/").arg(server.httpPort());
    ClientProcess alice(Launch(address, "alice", QStringLiteral("앨리스")), portal, {}, configHome.path());
    ASSERT_TRUE(alice.WaitForReply("state", "current=#cfg").contains("loggedin=1")) << alice.Output().toStdString();
    ClientProcess bob(Launch(address, "bob", QStringLiteral("밥")), portal);
    ASSERT_TRUE(bob.WaitForReply("state", "current=#cfg").contains("loggedin=1")) << bob.Output().toStdString();
    ASSERT_TRUE(alice.WaitForReply("html #cfg CHAT_MAIN", QStringLiteral("밥님이 입장하셨습니다")).startsWith("ok"));

    ASSERT_EQ(alice.Command("key f10"), "ok");
    ASSERT_EQ(alice.Command("key enter"), "ok");
    const QString received = bob.WaitForReply("html #cfg CHAT_MAIN", QStringLiteral("잘 가요"));
    EXPECT_TRUE(received.contains(QStringLiteral("[머리] 잘 가요 [꼬리]"))) << received.toStdString();

    // The window closes: the client writes its settings.
    ASSERT_EQ(alice.Command("close"), "ok");
    ASSERT_EQ(alice.ExitCode(30000), 0) << alice.Output().toStdString();
    config::ConfigValues written;
    config::LoadConfig(ReadAll(path), written);
    EXPECT_EQ(written.Header, kept.Header);
    EXPECT_EQ(written.Footer, kept.Footer);
    EXPECT_EQ(written.Shortcut, kept.Shortcut);
    EXPECT_GE(written.WindowWidth, 600);  // written by the client as it closed
    EXPECT_GE(written.WindowHeight, 415);
  }
}

TEST(SettingsEndToEnd, WhatOrvintaConfRefusesIsShownAndNeverConnected) {
  const std::tuple<const char*, const char*, QString> cases[] = {
      {"requireTls=true\n", "127.0.0.1:%1", QStringLiteral("보안 연결(TLS)만 사용하도록 설정되어 있어 접속하지")},
      {"caFile=/nonexistent/ca.pem\n", "tls://127.0.0.1:%1", QStringLiteral("인증서가 없어 접속하지 않았습니다.")}};
  for (const auto& [conf, server, box] : cases) {
    QTemporaryDir configHome;
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost) && QDir().mkpath(configHome.filePath("orvinta")));
    QFile file(configHome.filePath("orvinta/orvinta.conf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(conf) > 0);
    file.close();
    ClientProcess alice(Launch(QString::fromUtf8(server).arg(listener.serverPort()), "alice", QStringLiteral("앨리스")),
                        QStringLiteral("http://127.0.0.1:1/"), {}, configHome.path());
    EXPECT_EQ(alice.ExitCode(60000), 0);
    EXPECT_TRUE(alice.Output().contains(box)) << conf;
    EXPECT_FALSE(listener.hasPendingConnections()) << conf;
  }
}

}  // namespace
}  // namespace orvinta::integration
