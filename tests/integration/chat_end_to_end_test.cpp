// Two real clients chat through the real server: what one types arrives in
// the other's transcript as text, with its face, size, colour and style.
#include <gtest/gtest.h>


#include "tests/integration/client_process.h"
#include "tests/integration/server_process.h"

namespace orvinta::integration {
namespace {

QString Launch(const QString& server, const QString& id, const QString& nick) {
  return QStringLiteral("TRUE\n%1\nsession\n%2\n%3\n1001\ne2e\n종단 시험방\nFALSE\n\n\n").arg(server, id, nick);
}

TEST(ChatEndToEnd, TwoClientsChatInKorean) {
  ServerProcess server({"--http-port", "0"});
  ASSERT_TRUE(server.started());
  ASSERT_GT(server.httpPort(), 0);
  const QString address = QString::fromStdString(server.address());
  const QString portal = QStringLiteral("http://127.0.0.1:%1/").arg(server.httpPort());

  ClientProcess alice(Launch(address, "alice", QStringLiteral("앨리스")), portal);
  ASSERT_TRUE(alice.WaitForReply("state", "current=#e2e").contains("loggedin=1"));
  ClientProcess bob(Launch(address, "bob", QStringLiteral("밥")), portal);
  ASSERT_TRUE(bob.WaitForReply("state", "current=#e2e").contains("loggedin=1")) << bob.Output().toStdString();
  // Alice sees Bob arrive before she speaks.
  ASSERT_TRUE(alice.WaitForReply("html #e2e CHAT_MAIN", QStringLiteral("밥님이 입장하셨습니다")).startsWith("ok"));

  // Markup and the wire's separators arrive as visible text.
  ASSERT_EQ(alice.Command(QStringLiteral("type 안녕하세요 50% a|b <b>x</b>")), "ok");
  ASSERT_EQ(alice.Command("key enter"), "ok");
  const QString plain = bob.WaitForReply("html #e2e CHAT_MAIN", QStringLiteral("안녕하세요 50% a|b &lt;b&gt;x&lt;/b&gt;"));
  EXPECT_TRUE(plain.contains(QStringLiteral("안녕하세요 50% a|b &lt;b&gt;x&lt;/b&gt;"))) << plain.toStdString();
  EXPECT_FALSE(plain.contains("<b>x</b>"));
  // The sender's own transcript shows the same text at once.
  EXPECT_TRUE(alice.Command("html #e2e CHAT_MAIN").contains(QStringLiteral("50% a|b &lt;b&gt;x&lt;/b&gt;")));

  // An emoji travels as its numeric reference, which every view shows as the character.
  ASSERT_EQ(alice.Command(QStringLiteral("type 좋아요 😀")), "ok");
  ASSERT_EQ(alice.Command("key enter"), "ok");
  const QString emoji = bob.WaitForReply("html #e2e CHAT_MAIN", QStringLiteral("좋아요 &#128512;"));
  EXPECT_TRUE(emoji.contains(QStringLiteral("좋아요 &#128512;"))) << emoji.toStdString();

  // Bold red 11-point Dotum with an emoticon keyword (the empty header and footer leave a space each side).
  for (const char* command : {"face 3", "size 11", "colour FF0000", "style 1"}) ASSERT_EQ(alice.Command(command), "ok");
  ASSERT_EQ(alice.Command(QStringLiteral("type 굵고 빨간 돋움 /미소")), "ok");
  ASSERT_EQ(alice.Command("key enter"), "ok");
  const QString styled = bob.WaitForReply("html #e2e CHAT_MAIN", QStringLiteral("굵고 빨간 돋움"));
  EXPECT_TRUE(styled.contains(QStringLiteral("COLOR:#FF0000;FONT-SIZE:11pt;FONT-FAMILY:돋움"))) << styled.toStdString();
  EXPECT_TRUE(styled.contains(QStringLiteral("<B> 굵고 빨간 돋움 <IMG"))) << styled.toStdString();
  EXPECT_TRUE(styled.contains("icon_01.gif"));
}

// Back after a restart, a line typed before the login reply waits in the input line until the reply.
TEST(ChatEndToEnd, ALineTypedBeforeTheLoginReplyWaitsInTheInputLine) {
  auto server = std::make_unique<ServerProcess>(QStringList{"--http-port", "0"});
  const QStringList again{"--port", QString::number(server->port()), "--http-port", QString::number(server->httpPort())};
  ClientProcess alice(Launch(QString::fromStdString(server->address()), "alice", QStringLiteral("앨리스")),
                      QStringLiteral("http://127.0.0.1:%1/").arg(server->httpPort()));
  ASSERT_TRUE(alice.WaitForReply("state", "current=#e2e").contains("loggedin=1"));
  server->Kill();
  server = std::make_unique<ServerProcess>(again);
  server->Pause(true);  // the connection is taken, the login not answered
  ASSERT_TRUE(alice.WaitForReply("state", "connected=1 loggedin=0", 10000).contains("loggedin=0"));
  for (const char* command : {"type 기다린 줄", "key enter"}) ASSERT_EQ(alice.Command(QString::fromUtf8(command)), "ok");
  EXPECT_FALSE(alice.Command("html #e2e CHAT_MAIN").contains(QStringLiteral("기다린 줄")));
  server->Pause(false);
  ASSERT_TRUE(alice.WaitForReply("state", "loggedin=1", 10000).contains("loggedin=1"));
  ASSERT_EQ(alice.Command("key enter"), "ok");
  EXPECT_TRUE(alice.WaitForReply("html #e2e CHAT_MAIN", QStringLiteral("기다린 줄"), 5000).contains(QStringLiteral("기다린 줄")));
}

}  // namespace
}  // namespace orvinta::integration
